#pragma once
// Word or Excel inside a running office: the documents of one of the
// office's modules as the host's, as its adapter makes them (HostAdapter.h),
// with the add-ins registered for that host connected as Word connects them
// (ConnectedAddIns.h), and the host's "Standard" bar shown in each of its
// windows (ToolbarItems.h).
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/office/addins/ConnectedAddIns.h"
#include "platform/office/libreoffice/HostAdapter.h"
#include "platform/office/libreoffice/ToolbarCommand.h"
#include "platform/office/libreoffice/ToolbarItems.h"
#include "platform/office/libreoffice/ToolbarWatch.h"

namespace office::libreoffice {

// Whether a press makes its window's document the active one: not while
// another press runs, whose calls go to its own document.
enum class Activation { PressedDocument, Unchanged };

class OfficeHost {
public:
    // `refreshLater` runs a function on the office's main thread once the
    // current event is done (so that many changes of the bar show at once).
    OfficeHost(std::unique_ptr<HostAdapter> adapter,
               const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
               std::function<void(std::function<void()>)> refreshLater);
    ~OfficeHost();
    OfficeHost(const OfficeHost&) = delete;
    OfficeHost& operator=(const OfficeHost&) = delete;

    // Loads the registered add-ins and connects them. Problems are written
    // to the office's log (standard error); an add-in that does not load is
    // also named in a message box.
    void start();
    // Connects the host's bar and the document's windows; a document already
    // known is made the active one.
    void attach(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model);
    void detach(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model);
    // The user presses the control that `pressed` names in the window
    // `frame`: with Activation::PressedDocument its document becomes the
    // active one and is read anew. A control that is not there, or hidden,
    // takes no press.
    void click(const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame,
               const ControlCommand& pressed, Activation activation);
    // Shows the bar on every window of the host's documents.
    void showBars();
    // The add-ins are told of the end and let go; the bar's customisations
    // are saved in the world; the items leave the toolbars.
    void shutDown();

private:
    com::sun::star::uno::Reference<com::sun::star::frame::XModel> modelOf(
        const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame) const;
    void scheduleShow();
    std::vector<com::sun::star::uno::Reference<com::sun::star::frame::XFrame>> frames() const;

    std::unique_ptr<HostAdapter> adapter_;
    std::function<void(std::function<void()>)> later_;
    ConnectedAddIns addIns_;
    std::map<com::sun::star::uno::Reference<com::sun::star::frame::XModel>, HostAdapter::Opened> documents_;
    ToolbarItems toolbars_;
    ToolbarWatch watch_{[this] { scheduleShow(); }};
    bool showPending_ = false;
    bool ended_ = false;
    // Expires with the host: a refresh scheduled before its end does nothing.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace office::libreoffice
