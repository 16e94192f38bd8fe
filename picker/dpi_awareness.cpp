#include "picker/dpi_awareness.h"

namespace
{

typedef HANDLE(WINAPI *SetThreadDpiAwarenessContextFunction)(HANDLE context);

// How this thread switches to physical pixels; no function where it cannot.
struct PhysicalPixels {
    SetThreadDpiAwarenessContextFunction setThreadContext;
    HANDLE context;
};

PhysicalPixels g_physical;

// Values of DPI_AWARENESS_CONTEXT, which older SDK headers lack.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(-4);
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(-3);

typedef BOOL(WINAPI *SetProcessDpiAwareFunction)();

FARPROC FindUser32Function(const char *name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? GetProcAddress(user32, name) : NULL;
}

bool ThreadAcceptsContext(SetThreadDpiAwarenessContextFunction setContext, HANDLE context)
{
    HANDLE previous = setContext(context);
    if (!previous)
        return false;
    setContext(previous);
    return true;
}

} // namespace

void PrepareDpiAwareness()
{
    SetThreadDpiAwarenessContextFunction setContext =
        reinterpret_cast<SetThreadDpiAwarenessContextFunction>(
            reinterpret_cast<void *>(FindUser32Function("SetThreadDpiAwarenessContext")));
    if (setContext) {
        // Windows 10 before 1703, and Wine 8, refuse the V2 context.
        const HANDLE candidates[] = {kPerMonitorAwareV2, kPerMonitorAware};
        for (HANDLE candidate : candidates) {
            if (ThreadAcceptsContext(setContext, candidate)) {
                g_physical.setThreadContext = setContext;
                g_physical.context = candidate;
                return;
            }
        }
    }
    SetProcessDpiAwareFunction setProcessAware = reinterpret_cast<SetProcessDpiAwareFunction>(
        reinterpret_cast<void *>(FindUser32Function("SetProcessDPIAware")));
    if (setProcessAware)
        setProcessAware();
}

HANDLE EnterPhysicalPixels()
{
    const PhysicalPixels &physical = g_physical;
    if (!physical.setThreadContext)
        return NULL;
    return physical.setThreadContext(physical.context);
}

void LeavePhysicalPixels(HANDLE previousContext)
{
    const PhysicalPixels &physical = g_physical;
    if (physical.setThreadContext && previousContext)
        physical.setThreadContext(previousContext);
}
