#include "platform/office/libreoffice/Front.h"

#include <com/sun/star/awt/MessageBoxButtons.hpp>
#include <com/sun/star/awt/MessageBoxType.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XControlContainer.hpp>
#include <com/sun/star/awt/XFixedText.hpp>
#include <com/sun/star/awt/XMessageBox.hpp>
#include <com/sun/star/awt/XMessageBoxFactory.hpp>
#include <com/sun/star/awt/XWindowPeer.hpp>
#include <iostream>

#include "platform/office/libreoffice/OfficeMode.h"
#include "platform/office/libreoffice/StandInButton.h"
#include "platform/office/libreoffice/SystemNeeds.h"
#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

void log(const std::string& line) {
    std::cerr << "pdf-Kalmora: " << line << "\n" << std::flush;
}

void tell(const Reference<css::uno::XComponentContext>& context, const Reference<css::frame::XFrame>& frame,
          const std::string& message) {
    const Reference<css::awt::XWindowPeer> parent(frame.is() ? frame->getContainerWindow() : nullptr, UNO_QUERY);
    const Reference<css::awt::XMessageBoxFactory> boxes(css::awt::Toolkit::create(context), UNO_QUERY_THROW);
    boxes
        ->createMessageBox(parent, css::awt::MessageBoxType_WARNINGBOX, css::awt::MessageBoxButtons::BUTTONS_OK,
                           "pdf-Kalmora", uno::text(uno::lineFeeds(message)))
        ->execute();
}

}  // namespace

Front& Front::instance() {
    static Front front;
    return front;
}

void Front::start(const Reference<css::uno::XComponentContext>& context) {
    if (started_) return;
    started_ = true;
    // A conversion from the command line, or an office that serves
    // programs, is left as it is: no user's part is set up and no host
    // started for a button that nobody sees.
    if (runsHeadless()) return;
    problem_ = missingPackages(systemNeeds());
    if (!problem_) {
        try {
            hosts_ = HostsLibrary::load();
        } catch (const std::exception& error) {
            problem_ = std::string("pdf-Kalmora lässt sich nicht laden:\r\n") + error.what();
        }
    }
    if (hosts_) {
        const char* setup = nullptr;
        hostsRunning_ = hosts_->start(context.get(), &setup) != 0;
        if (setup != nullptr) problem_ = setup;
    }
    if (problem_) log(*problem_);
    if (problem_ && !hostsRunning_) showStandInButton(context);
}

void Front::click(const Reference<css::uno::XComponentContext>& context, const Reference<css::frame::XFrame>& frame,
                  const std::string& command) {
    start(context);
    if (problem_ && (!told_ || !hostsRunning_)) {
        // Once while the hosts run; at every press of the stand-in, which can do nothing else.
        told_ = true;
        tell(context, frame, *problem_);
        return;
    }
    if (hostsRunning_) hosts_->click(frame.get(), command.c_str());
}

bool Front::options(const Reference<css::uno::XComponentContext>& context, const Reference<css::awt::XWindow>& page,
                    const std::string& method, const std::string& event) {
    start(context);
    if (hostsRunning_) return hosts_->options(context.get(), page.get(), method.c_str(), event.c_str()) != 0;
    // The page's note says what the first press would.
    const Reference<css::awt::XControlContainer> controls(page, UNO_QUERY);
    const Reference<css::awt::XFixedText> note(controls.is() ? controls->getControl("Hinweis") : nullptr, UNO_QUERY);
    if (note.is()) note->setText(uno::text(uno::lineFeeds(problem_.value_or("pdf-Kalmora ist nicht gestartet."))));
    return true;
}

}  // namespace office::libreoffice
