// Preloaded into the game: the joystick ioctls tell of pads of 8 axes and 11 buttons, so that the
// library's driver takes pipes named in its configuration for joystick devices, as the kernel's.
#include <cstdarg>
#include <dlfcn.h>
#include <linux/joystick.h>
extern "C" int ioctl(int fd, unsigned long request, ...) noexcept
{
    static auto real = (int (*)(int, unsigned long, void *))dlsym(RTLD_NEXT, "ioctl");
    va_list more;
    va_start(more, request);
    void *arg = va_arg(more, void *);
    va_end(more);
    if (request == JSIOCGVERSION)
        *(int *)arg = JS_VERSION;
    else if (request == JSIOCGAXES || request == JSIOCGBUTTONS)
        *(char *)arg = request == JSIOCGAXES ? 8 : 11;
    else
        return real(fd, request, arg);
    return 0;
}
