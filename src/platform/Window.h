#pragma once
#include <cstdint>
#include <string>

#include "platform/WindowMessages.h"

// The game's one top-level window and its message queue. The window is made hidden; a
// full-screen device shows it when it is made (black from its first present on), a windowed one
// leaves that to the shell.
class Window {
public:
    ~Window();
    // Makes a hidden window ready for GL drawing; null (with the reason on stderr) when the video
    // system cannot be started or the window cannot be made.
    static Window* Create(const std::string& title, int x, int y, int width, int height,
                          WindowProcedure procedure);

    void Show();
    // Gives the (windowed) window its display's place and size, so that it comes up covering the
    // screen even before a window manager acts on a full-screen request.
    void CoverDisplay();
    // Makes the window cover its display at the desktop's resolution (true) or gives it back its
    // windowed size (false). Returns false when the window system refuses.
    bool SetFullScreenDesktop(bool fullScreen);
    // Resizes the client area (windowed only).
    void SetClientSize(int width, int height);
    void GetClientSize(int* width, int* height) const;
    const std::string& Title() const { return title_; }
    // The size of the image drawn into the window; mouse positions are reported in its pixels
    // (the same as the client's unless the window system kept another window size).
    void SetDrawingSize(int width, int height);
    // Client coordinates from window-system coordinates, in drawing-size pixels.
    void ToDrawingPixels(int* x, int* y) const;

    WindowProcedure Procedure() const { return procedure_; }
    // The SDL_Window behind it, for the rest of the platform layer.
    void* NativeHandle() const { return native_; }
    uint32_t NativeId() const { return nativeId_; }

private:
    Window() = default;
    void* native_ = nullptr;
    uint32_t nativeId_ = 0;
    std::string title_;
    int drawingWidth_ = 0;
    int drawingHeight_ = 0;
    WindowProcedure procedure_ = nullptr;
};

// Takes the next message of the queue into *message: posted messages first, then the window
// system's events turned into window messages (mouse move and left button with packed client
// coordinates, destroy when the window is closed, paint when it is exposed). Key events update
// the system keyboard instead of becoming messages. False when the queue is empty.
bool PeekWindowMessage(WindowMessage* message);

// Waits until the queue holds a message or `milliseconds` have passed, whichever comes first; in
// the browser the wait is the browser's next animation frame, taken at the next PeekWindowMessage.
void WaitWindowMessage(int milliseconds);

// Hands the message to its window's procedure (or the default one) and returns the answer.
LResult DispatchWindowMessage(const WindowMessage& message);

// The answer to every message a procedure does not handle itself.
LResult DefaultWindowProc(Window* window, uint32_t message, WParam wParam, LParam lParam);

// Marks the whole window as drawn; nothing to do on this platform, kept for the game's paint path.
void ValidateWindow(Window* window);

// Queues the quit message with exitCode as its wParam; the next PeekWindowMessage takes it.
void PostQuitMessage(int exitCode);

// Queues an arbitrary message behind the pending ones (tests and tools feed the loop with it).
void PostWindowMessage(const WindowMessage& message);

// Forgets queued messages and key states and stops the video system; for after every window
// and device is gone (tests that open several devices one after another start each afresh).
void ShutdownVideo();
