// The key routing that every backend carries out: the cases where a key the
// window's code changed or used up must still end where a real window sends it.
#include "platform/runtime/KeyRouting.h"

#include <gtest/gtest.h>

namespace {

using runtime::KeyAction;
using runtime::keyAscii::Enter;
using runtime::keyAscii::Escape;

enum class Preview { Off, On };

// A button and a list; with key preview, 'e' becomes Enter, 'b' is cleared,
// 'x' becomes 'c' and 'q' unloads the window.
class KeyWindow final : public runtime::Form {
public:
    explicit KeyWindow(Preview preview) : Form("Tasten", 3000, 2000), preview_(preview) {}
    std::vector<int> seen;
    runtime::FormRole role() const override { return runtime::FormRole::Question; }
    std::string outcome() const override { return ""; }
    bool keyPreview() const override { return preview_ == Preview::On; }

protected:
    std::vector<runtime::Control> design() const override {
        return {{.name = "OKButton", .kind = runtime::ControlKind::CommandButton, .tabIndex = 0},
                {.name = "List1", .kind = runtime::ControlKind::ListBox, .tabIndex = 1}};
    }
    void onKeyPress(int& key) override {
        seen.push_back(key);
        if (key == 'q') unload();
        key = key == 'e' ? Enter : key == 'b' ? 0 : key == 'x' ? 'c' : key;
    }

private:
    Preview preview_;
};

TEST(KeyRouting, KeysEndWhereAWindowSendsThem) {
    struct Case {
        Preview preview;
        const char* focus;
        int key;
        KeyAction action;
        int code;
        std::vector<int> seen;
    };
    const Case cases[] = {
        {Preview::On, "OKButton", 'e', KeyAction::PressFocusedButton, Enter, {'e'}},
        {Preview::On, "List1", 'e', KeyAction::Used, Enter, {'e'}},
        {Preview::On, "OKButton", 'b', KeyAction::Used, 0, {'b'}},
        {Preview::On, "OKButton", 'q', KeyAction::Used, 'q', {'q'}},
        {Preview::On, "List1", 'x', KeyAction::PassOnChanged, 'c', {'x'}},
        {Preview::On, "OKButton", Escape, KeyAction::Used, Escape, {Escape}},
        {Preview::On, "List1", 0, KeyAction::PassOn, 0, {}},
        {Preview::Off, "OKButton", Enter, KeyAction::PressFocusedButton, Enter, {}},
        {Preview::Off, "OKButton", Escape, KeyAction::Used, Escape, {}},
        {Preview::Off, "List1", 'a', KeyAction::PassOn, 'a', {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.focus) + " " + std::to_string(c.key));
        KeyWindow window(c.preview);
        window.load();
        window.setFocus(c.focus);
        const runtime::KeyRoute route = runtime::routeKey(window, c.key);
        EXPECT_EQ(route.action, c.action);
        EXPECT_EQ(route.code, c.code);
        EXPECT_EQ(window.seen, c.seen);
    }
}

}  // namespace
