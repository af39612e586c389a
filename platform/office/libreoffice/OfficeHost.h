#pragma once
// Word or Excel inside a running office: Writer's documents as Word's, or
// Calc's as Excel's, with the add-ins registered for that host loaded as
// Word and Excel load them (OnConnection at start-up, OnAddInsUpdate,
// OnStartupComplete; at the end OnBeginShutdown and OnDisconnection), and
// the host's "Standard" bar shown in each of its windows (ToolbarItems.h).
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/Ref.h"
#include "platform/office/addins/LoadedAddIn.h"
#include "platform/office/libreoffice/ToolbarItems.h"
#include "platform/office/libreoffice/ToolbarWatch.h"
#include "platform/office/model/Application.h"
#include "platform/office/model/Document.h"

namespace office::libreoffice {

enum class HostKind { Word, Excel };

// Whether a press makes its window's document the active one: not while
// another press runs, whose calls go to its own document.
enum class Activation { PressedDocument, Unchanged };

class OfficeHost {
public:
    // `refreshLater` runs a function on the office's main thread once the
    // current event is done (so that many changes of the bar show at once).
    OfficeHost(HostKind kind, const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
               std::function<void(std::function<void()>)> refreshLater);
    ~OfficeHost();
    OfficeHost(const OfficeHost&) = delete;
    OfficeHost& operator=(const OfficeHost&) = delete;

    // The office's module whose documents this host takes.
    static const char* module(HostKind kind);

    // Loads the registered add-ins and connects them. Problems are written
    // to the office's log (standard error); an add-in that does not load is
    // also named in a message box.
    void start();
    // Connects the host's bar and the document's windows; a document already
    // known is made the active one.
    void attach(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model);
    void detach(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model);
    // The user presses the control at `position` of `bar` in the window
    // `frame`: with Activation::PressedDocument its document becomes the
    // active one and is read anew.
    void click(const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame, const std::string& bar,
               int position, Activation activation);
    // Shows the bar on every window of the host's documents.
    void showBars();
    // The add-ins are told of the end and let go; the bar's customisations
    // are saved in the world; the items leave the toolbars.
    void shutDown();

private:
    struct Opened {
        com::Ref<Document> document;
        std::function<void()> refresh;
    };

    com::sun::star::uno::Reference<com::sun::star::frame::XModel> modelOf(
        const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame) const;
    void scheduleShow();
    std::vector<com::sun::star::uno::Reference<com::sun::star::frame::XFrame>> frames() const;

    HostKind kind_;
    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
    std::function<void(std::function<void()>)> later_;
    com::Ref<Application> application_;
    std::vector<LoadedAddIn> addIns_;
    std::map<com::sun::star::uno::Reference<com::sun::star::frame::XModel>, Opened> documents_;
    ToolbarItems toolbars_;
    ToolbarWatch watch_{[this] { scheduleShow(); }};
    bool showPending_ = false;
    bool ended_ = false;
    // Expires with the host: a refresh scheduled before its end does nothing.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace office::libreoffice
