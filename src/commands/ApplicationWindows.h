#pragma once

#include <string>

namespace veld23::commands {

// The editor windows the main window's buttons bring up.
enum class EditorWindow {
    FinalResponse,
    Peq,
    Crossover,
    Gains,
    Delay,
    Dynamics,
    Loudness,
    CoefficientViewer,
};

// What the main window's commands do with the program's windows. The windows
// implement it; the commands stay callable from a test without any window.
class ApplicationWindows {
  public:
    virtual ~ApplicationWindows() = default;

    // The main window up, restored from minimised, in front.
    virtual void ShowMainWindow() = 0;
    virtual void MinimiseMainWindow() = 0;
    virtual void RestoreMainWindow() = 0;
    virtual void SetMainWindowTitle(const std::string& title) = 0;

    // The "INFO" window with "Loading File...".
    virtual void ShowLoadingWindow() = 0;
    virtual void CloseLoadingWindow() = 0;
    virtual void SetBusyCursor(bool busy) = 0;

    // The About window's text and its two link fields.
    virtual void FillAboutWindow(const std::string& text, const std::string& webAddress,
                                 const std::string& emailAddress) = 0;

    // False while the program has no such window; its buttons are then disabled.
    virtual bool EditorWindowAvailable(EditorWindow window) const = 0;
    virtual void ShowEditorWindow(EditorWindow window) = 0;
    virtual void RedrawFinalResponse() = 0;

    // The configuration changed under the windows (New, Open, a topology or route
    // command): they read it again.
    virtual void ConfigurationChanged() = 0;
};

} // namespace veld23::commands
