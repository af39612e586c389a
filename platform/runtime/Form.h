#pragma once
// A window: its code owns the state (caption, controls, focus) and the event
// handlers; a backend only shows it and forwards the user's actions. Showing a
// window that is not loaded loads it first; the window code ends a display by
// unloading itself.
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/Control.h"

namespace runtime {

// How scripted answers and the terminal refer to a kind of window.
enum class FormRole { Choice, Question };
// Why a window closes: its own code unloads it, or the user closes it.
enum class UnloadReason { Code, CloseBox };

class Form {
public:
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    virtual FormRole role() const = 0;
    // What the window gave back, for the record of a display: e.g. the chosen
    // index, or the button that closed it.
    virtual std::string outcome() const = 0;

    // Every window is a fixed tool window (thin title bar with a close box,
    // not resizable, no minimise or maximise button), not shown in the task
    // bar, and centred on the screen.
    const std::string& caption() const noexcept { return caption_; }
    // The window's icon; none by default.
    virtual Picture icon() const { return {}; }
    // Whether the window sees key presses before the focused control.
    virtual bool keyPreview() const { return false; }
    int clientWidth() const noexcept { return clientWidth_; }    // twips
    int clientHeight() const noexcept { return clientHeight_; }  // twips
    std::vector<Control>& controls() noexcept { return controls_; }
    const std::vector<Control>& controls() const noexcept { return controls_; }
    // The control of that name; throws std::out_of_range when there is none.
    Control& control(std::string_view name);
    const Control& control(std::string_view name) const;

    bool loaded() const noexcept { return loaded_; }
    const std::string& focus() const noexcept { return focus_; }
    void setFocus(std::string_view controlName);

    // Loads the window unless it is loaded: the controls are made afresh from
    // design(), the focus goes to the first control in tab order, then onLoad
    // runs.
    void load();
    // Unloads the window (runs onUnload) when it is loaded; a modal display
    // of it then ends.
    void unload(UnloadReason reason = UnloadReason::Code);

    // The user's actions, forwarded by a backend to a shown window.
    void activate() { onActivate(); }
    void click(std::string_view controlName) { onClick(controlName); }
    void doubleClick(std::string_view controlName) { onDoubleClick(controlName); }
    // A key that produces a character; the window sees it first when its key
    // preview is on. The handler may change or clear (0) the code; the backend
    // passes what is left on to the focused control.
    void keyPress(int& keyAscii) { onKeyPress(keyAscii); }
    // The window's close box.
    void close() { unload(UnloadReason::CloseBox); }

protected:
    Form(std::string caption, int clientWidth, int clientHeight);

    // The controls as the window was designed, before its load steps.
    virtual std::vector<Control> design() const = 0;
    virtual void onLoad() {}
    virtual void onActivate() {}
    virtual void onClick(std::string_view) {}
    virtual void onDoubleClick(std::string_view) {}
    virtual void onKeyPress(int&) {}
    virtual void onUnload(UnloadReason) {}

private:
    std::string caption_;
    int clientWidth_;
    int clientHeight_;
    std::vector<Control> controls_;
    std::string focus_;
    bool loaded_ = false;
};

}  // namespace runtime
