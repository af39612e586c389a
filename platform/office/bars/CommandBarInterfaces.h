#pragma once
// The command-bar objects as their published interfaces offer them to an
// add-in (typed calls, not late binding). Reached from the application's
// late-bound "CommandBars" property through QueryInterface with
// IID_CommandBars. Every call may throw com::Error, as a failing interface
// call raises in the add-in's language.
#include <string>

#include "platform/com/Dispatch.h"
#include "platform/com/Ref.h"
#include "platform/runtime/Picture.h"

namespace office {

class CommandBarButton;

// {000C0302-0000-0000-C000-000000000046} and friends, as the Office library numbers them.
inline constexpr com::Guid IID_CommandBars{0x000C0302, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr com::Guid IID_CommandBar{0x000C0304, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr com::Guid IID_CommandBarControls{0x000C0306, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr com::Guid IID_CommandBarButton{0x000C030E, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

inline constexpr int msoControlButton = 1;
inline constexpr int msoButtonIconAndCaption = 3;

// Receives a button's Click events while it is connected (the add-in's
// WithEvents variable). What the handler could not handle comes back as a
// failing result; nothing is thrown into the host.
class ButtonClickSink {
public:
    virtual com::HRESULT Click(CommandBarButton& Ctrl, com::Boolean& CancelDefault) noexcept = 0;

protected:
    ~ButtonClickSink() = default;
};

class CommandBarButton : public com::IDispatch {
public:
    virtual std::string Caption() const = 0;
    virtual void putCaption(const std::string& caption) = 0;
    virtual int Style() const = 0;
    virtual void putStyle(int style) = 0;
    virtual std::string OnAction() const = 0;
    virtual void putOnAction(const std::string& action) = 0;
    virtual bool Visible() const = 0;
    virtual void putVisible(bool visible) = 0;
    // The clipboard's picture becomes the face; raises when it holds none.
    virtual void PasteFace() = 0;
    virtual bool hasFace() const = 0;
    // The button leaves its bar; a further call on it raises.
    virtual void Delete() = 0;
    // Connects (or, with null, drops) the one event sink of this reference.
    virtual void adviseClick(ButtonClickSink* sink) = 0;

protected:
    ~CommandBarButton() = default;
};

class CommandBarControls : public com::IDispatch {
public:
    // The first control with that caption; raises when there is none.
    virtual com::Ref<CommandBarButton> Item(const std::string& caption) = 0;
    // A new permanent button at the end of the bar.
    virtual com::Ref<CommandBarButton> Add(int type) = 0;
    virtual int Count() const = 0;

protected:
    ~CommandBarControls() = default;
};

class CommandBar : public com::IDispatch {
public:
    virtual std::string Name() const = 0;
    virtual com::Ref<CommandBarControls> Controls() = 0;

protected:
    ~CommandBar() = default;
};

class CommandBars : public com::IDispatch {
public:
    // The bar of that name; raises when there is none.
    virtual com::Ref<CommandBar> Item(const std::string& name) = 0;

protected:
    ~CommandBars() = default;
};

}  // namespace office
