/* Keeps the Wine desktop of a test session in use from its start to its end.
 *
 * Wine closes its desktop process about a second after the last program that uses the
 * desktop has ended, and the next program starts it again; under load that start fails
 * now and then, and the program then gets no window at all. A program uses the desktop
 * once it has a window, so this one makes a message-only window (never on screen, never
 * in the X window list, never given the focus), says "ready" on its standard output,
 * and waits until its standard input ends:
 * the session holds the other end of that pipe and closes it to stop the keeper, and if
 * the session dies without stopping it, the pipe closes with it all the same.
 *
 * Built by tests/wine/session.sh with the MinGW C compiler as a GUI program, so that it
 * gets no console either. */
#include <windows.h>

/* Reads standard input until it ends, then wakes the message loop of the main thread. */
static DWORD WINAPI wait_for_end_of_input(LPVOID main_thread)
{
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[64];
    DWORD got;
    while (input != NULL && input != INVALID_HANDLE_VALUE &&
           ReadFile(input, buffer, sizeof buffer, &got, NULL) && got > 0) {
    }
    PostThreadMessageW((DWORD)(ULONG_PTR)main_thread, WM_QUIT, 0, 0);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show)
{
    (void)previous;
    (void)command_line;
    (void)show;
    WNDCLASSW window_class = {0};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = instance;
    window_class.lpszClassName = L"PiruneDesktopKeeper";
    if (!RegisterClassW(&window_class)) return 1;
    HWND window = CreateWindowExW(0, window_class.lpszClassName, L"", 0, 0, 0, 0, 0,
                                  HWND_MESSAGE, NULL, instance, NULL);
    if (!window) return 1;

    /* The window exists, so the desktop is up: the session may start its programs. */
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "ready\n", 6, &written, NULL);

    /* The queue must exist before the reader thread can post WM_QUIT to it; the window
     * made it. The loop answers whatever the system sends meanwhile, so that no sender
     * ever waits on the keeper. */
    HANDLE reader = CreateThread(NULL, 0, wait_for_end_of_input,
                                 (LPVOID)(ULONG_PTR)GetCurrentThreadId(), 0, NULL);
    if (!reader) return 1;
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) DispatchMessageW(&message);
    WaitForSingleObject(reader, INFINITE);
    CloseHandle(reader);
    DestroyWindow(window);
    return 0;
}
