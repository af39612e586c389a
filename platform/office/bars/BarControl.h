#pragma once
// One control on a host's command bar, as the host keeps it. Every reference
// an add-in holds to the control (HostCommandBarButton) leads here, so that a
// change made through one is seen through all, and the host's clicks reach
// the sinks connected through any of them.
#include <string>
#include <vector>

#include "platform/office/bars/ClickOutcome.h"
#include "platform/office/bars/CommandBarInterfaces.h"
#include "platform/runtime/Picture.h"

namespace office {

class BarControl {
public:
    // What a control shows and does; for customised controls also what the
    // host saves.
    struct Properties {
        std::string caption = {};
        int style = 0;  // msoButtonAutomatic until set
        std::string onAction = {};
        bool visible = true;
        runtime::Picture face = {};  // empty: no face pasted

        friend bool operator==(const Properties&, const Properties&) = default;
    };

    // The host's own controls are there at every start; the others are
    // customisations, which the host saves unless they were added as
    // temporary ones.
    enum class Origin { BuiltIn, Custom };
    enum class Lifetime { Permanent, Temporary };

    BarControl(Properties properties, Origin origin, Lifetime lifetime);
    BarControl(const BarControl&) = delete;
    BarControl& operator=(const BarControl&) = delete;

    Properties& properties() noexcept { return properties_; }
    const Properties& properties() const noexcept { return properties_; }
    bool builtIn() const noexcept { return origin_ == Origin::BuiltIn; }
    // A customisation that outlives the session.
    bool saved() const noexcept { return origin_ == Origin::Custom && lifetime_ == Lifetime::Permanent; }

    // Once deleted, the control is off its bar for good; references to it
    // stay valid objects that raise on every call.
    bool deleted() const noexcept { return deleted_; }
    void markDeleted() noexcept { deleted_ = true; }

    // Connects `sink` for `reference`, replacing what that reference had
    // connected; a null sink drops the connection. Sinks are called in the
    // order they were connected.
    void connect(CommandBarButton& reference, ButtonClickSink* sink);
    void disconnect(const CommandBarButton& reference) noexcept;

    // Calls every connected sink's Click with its reference and one
    // CancelDefault that passes from sink to sink. A sink may drop
    // connections (its own too) while it runs; a dropped one is not called.
    ClickOutcome click();

private:
    struct Connection {
        CommandBarButton* reference;
        ButtonClickSink* sink;
    };

    Properties properties_;
    Origin origin_;
    Lifetime lifetime_;
    bool deleted_ = false;
    std::vector<Connection> connections_;
};

}  // namespace office
