#include "platform/office/render/OfficeRenderer.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string_view>
#include <thread>
#include <utility>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/io/XOutputStream.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/task/PasswordRequest.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <osl/file.hxx>
#include <rtl/bootstrap.hxx>
#include <rtl/ref.hxx>

#include "platform/office/render/OfficeProcess.h"
#include "platform/office/render/OfficeProfile.h"

namespace office {

namespace {

namespace css = com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

constexpr const char* kOfficeFolder = "file://" KALMORA_OFFICE_PROGRAM;
constexpr auto kStartLimit = std::chrono::seconds(60);
constexpr auto kEndLimit = std::chrono::seconds(5);

rtl::OUString text(std::string_view utf8) {
    return rtl::OUString(utf8.data(), static_cast<sal_Int32>(utf8.size()), RTL_TEXTENCODING_UTF8);
}

std::string text(const rtl::OUString& utf16) {
    const rtl::OString utf8 = rtl::OUStringToOString(utf16, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

css::beans::PropertyValue property(const char* name, const css::uno::Any& value) {
    css::beans::PropertyValue result;
    result.Name = rtl::OUString::createFromAscii(name);
    result.Value = value;
    return result;
}

css::uno::Sequence<css::beans::PropertyValue> properties(std::initializer_list<css::beans::PropertyValue> values) {
    return css::uno::Sequence<css::beans::PropertyValue>(values.begin(), static_cast<sal_Int32>(values.size()));
}

// This process's own UNO runtime, which talks to the office over the pipe.
// It knows the office's types besides the runtime's own, so that calls on
// the office's objects can be bridged. Made once, kept for the process.
Reference<css::uno::XComponentContext> localContext() {
    static const auto* context = [] {
        rtl::Bootstrap::set("URE_MORE_TYPES", text(std::string(kOfficeFolder) + "/types/offapi.rdb"));
        return new Reference<css::uno::XComponentContext>(
            cppu::defaultBootstrap_InitialComponentContext(text(std::string(kOfficeFolder) + "/unorc")));
    }();
    return *context;
}

// Collects what the office writes to the stream: the PDF file's bytes.
class ByteSink : public cppu::WeakImplHelper1<css::io::XOutputStream> {
public:
    void SAL_CALL writeBytes(const css::uno::Sequence<sal_Int8>& data) override {
        const std::lock_guard lock(mutex_);
        bytes_.append(reinterpret_cast<const char*>(data.getConstArray()), static_cast<std::size_t>(data.getLength()));
    }
    void SAL_CALL flush() override {}
    void SAL_CALL closeOutput() override {}

    std::string take() {
        const std::lock_guard lock(mutex_);
        return std::move(bytes_);
    }

private:
    std::mutex mutex_;
    std::string bytes_;
};

// Answers every question the office would ask while loading (a password, a
// repair of a damaged file, a filter to choose) with "abort", as nobody is
// there to answer, and notes whether a password was asked for.
class Refuser : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
public:
    void SAL_CALL handle(const Reference<css::task::XInteractionRequest>& request) override {
        const css::uno::Type asked = request->getRequest().getValueType();
        if (cppu::UnoType<css::task::PasswordRequest>::get().isAssignableFrom(asked)) passwordAsked_ = true;
        const auto continuations = request->getContinuations();
        for (sal_Int32 i = 0; i < continuations.getLength(); ++i) {
            const Reference<css::task::XInteractionAbort> abort(continuations[i], UNO_QUERY);
            if (abort.is()) {
                abort->select();
                return;
            }
        }
    }

    bool passwordAsked() const noexcept { return passwordAsked_; }

private:
    std::atomic<bool> passwordAsked_ = false;
};

// Closes a loaded document however the laying out ends.
class LoadedDocument {
public:
    explicit LoadedDocument(const Reference<css::lang::XComponent>& document) : document_(document) {}
    ~LoadedDocument() {
        try {
            const Reference<css::util::XCloseable> closeable(document_, UNO_QUERY);
            if (closeable.is()) closeable->close(true);
        } catch (const css::uno::Exception&) {
            // The office keeps a document it cannot close; this host is done with it.
        }
    }
    LoadedDocument(const LoadedDocument&) = delete;
    LoadedDocument& operator=(const LoadedDocument&) = delete;

    const Reference<css::lang::XComponent>& get() const noexcept { return document_; }

private:
    Reference<css::lang::XComponent> document_;
};

// The name of the import filter the office chose for the document.
std::string filterOf(const Reference<css::lang::XComponent>& document) {
    const Reference<css::frame::XModel> model(document, UNO_QUERY);
    if (!model.is()) return {};
    const auto arguments = model->getArgs();
    for (sal_Int32 i = 0; i < arguments.getLength(); ++i) {
        rtl::OUString name;
        if (arguments[i].Name == "FilterName" && (arguments[i].Value >>= name)) return text(name);
    }
    return {};
}

// Whether the office read the file as plain text or a web page, which it
// does with any bytes it does not recognise: a damaged document.
bool readAsText(const std::string& filter) {
    return filter.empty() || filter.starts_with("Text") || filter.starts_with("HTML");
}

std::string pdfOf(const Reference<css::lang::XComponent>& document, const char* filter,
                  const css::uno::Sequence<css::beans::PropertyValue>& filterData) {
    const rtl::Reference<ByteSink> sink(new ByteSink);
    const Reference<css::frame::XStorable> storable(document, UNO_QUERY_THROW);
    storable->storeToURL(
        "private:stream",
        properties({property("FilterName", css::uno::Any(rtl::OUString::createFromAscii(filter))),
                    property("FilterData", css::uno::Any(filterData)),
                    property("OutputStream", css::uno::Any(Reference<css::io::XOutputStream>(sink.get())))}));
    return sink->take();
}

// Whether a sheet prints anything: cells with content, or drawings (charts,
// pictures, shapes). The office lays out one blank page for an empty sheet,
// where Excel prints none.
bool hasContent(const Reference<css::lang::XComponent>& document, const Reference<css::sheet::XSpreadsheet>& sheet) {
    namespace flags = css::sheet::CellFlags;
    const Reference<css::sheet::XCellRangesQuery> query(sheet, UNO_QUERY_THROW);
    const auto cells = query->queryContentCells(flags::VALUE | flags::DATETIME | flags::STRING | flags::FORMULA);
    if (cells.is() && cells->getCount() > 0) return true;
    // Each sheet has a drawing page of the same position in the workbook.
    const Reference<css::drawing::XDrawPagesSupplier> drawings(document, UNO_QUERY_THROW);
    const auto position = Reference<css::sheet::XCellRangeAddressable>(sheet, UNO_QUERY_THROW)->getRangeAddress().Sheet;
    const Reference<css::container::XIndexAccess> shapes(drawings->getDrawPages()->getByIndex(position), UNO_QUERY);
    return shapes.is() && shapes->getCount() > 0;
}

std::string joined(const std::vector<std::string>& names) {
    std::string result;
    for (const std::string& name : names) result += (result.empty() ? "" : ", ") + name;
    return result;
}

LaidOutDocument layOutSpreadsheet(const Reference<css::lang::XComponent>& document, const std::string& wanted) {
    const Reference<css::sheet::XSpreadsheetDocument> workbook(document, UNO_QUERY);
    if (!workbook.is()) throw DocumentRefused("Die Datei ist keine Excel-Arbeitsmappe.");
    LaidOutDocument result;
    const auto sheets = workbook->getSheets();
    const auto names = sheets->getElementNames();
    for (sal_Int32 i = 0; i < names.getLength(); ++i) result.sheets.push_back(text(names[i]));

    Reference<css::sheet::XSpreadsheet> sheet;
    if (wanted.empty()) {
        // The sheet the file stores as active is the one its view shows.
        const Reference<css::frame::XModel> model(document, UNO_QUERY_THROW);
        const Reference<css::sheet::XSpreadsheetView> view(model->getCurrentController(), UNO_QUERY);
        sheet = view.is() ? view->getActiveSheet() : nullptr;
        if (!sheet.is()) sheets->getByName(names[0]) >>= sheet;
    } else if (sheets->hasByName(text(wanted))) {
        sheets->getByName(text(wanted)) >>= sheet;
    } else {
        throw DocumentRefused("Die Arbeitsmappe hat kein Blatt \"" + wanted +
                              "\"; ihre Blätter: " + joined(result.sheets) + ".");
    }
    result.sheet = text(Reference<css::container::XNamed>(sheet, UNO_QUERY_THROW)->getName());
    // Only this sheet's pages: a page range would count across the workbook.
    if (hasContent(document, sheet)) {
        result.pdf = pdfOf(document, "calc_pdf_Export",
                           properties({property("Selection", css::uno::Any(Reference<css::uno::XInterface>(sheet)))}));
    }
    return result;
}

}  // namespace

struct OfficeRenderer::Session {
    OfficeProfile profile;
    OfficeProcess process;
    Reference<css::frame::XDesktop2> desktop;

    explicit Session(const std::filesystem::path& profiles)
        : profile(profiles), process(profile.path(), pipeName(profile.path())), desktop(connect()) {}

    ~Session() {
        try {
            desktop->terminate();
        } catch (const css::uno::Exception&) {
            // The office often ends before it answers.
        }
        desktop.clear();
        process.waitForEnd(kEndLimit);
    }

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    static std::string pipeName(const std::filesystem::path& profile) {
        return "kalmora-office-" + std::to_string(::getpid()) + "-" + profile.filename().string();
    }

    Reference<css::frame::XDesktop2> connect() {
        const auto resolver = css::bridge::UnoUrlResolver::create(localContext());
        const auto until = std::chrono::steady_clock::now() + kStartLimit;
        while (std::chrono::steady_clock::now() < until) {
            try {
                const Reference<css::uno::XComponentContext> office(resolver->resolve(text(process.connectUrl())),
                                                                    UNO_QUERY_THROW);
                return css::frame::Desktop::create(office);
            } catch (const css::connection::NoConnectException&) {
                // Not listening yet.
            }
            if (!process.running())
                throw std::runtime_error("Das Office-Programm hat sich beim Start beendet (Code " +
                                         std::to_string(process.exitCode()) + ").");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        throw std::runtime_error("Das Office-Programm antwortet nicht.");
    }
};

OfficeRenderer::OfficeRenderer(const std::filesystem::path& profiles) {
    try {
        session_ = std::make_unique<Session>(profiles);
    } catch (const css::uno::Exception& error) {
        throw std::runtime_error("Das Office-Programm lässt sich nicht ansprechen: " + text(error.Message));
    }
}

OfficeRenderer::~OfficeRenderer() = default;

LaidOutDocument OfficeRenderer::layOut(const std::filesystem::path& file, OfficeDocumentKind kind,
                                       const std::string& sheet) {
    try {
        rtl::OUString url;
        if (osl::FileBase::getFileURLFromSystemPath(text(std::filesystem::absolute(file).string()), url) !=
            osl::FileBase::E_None)
            throw DocumentRefused("Der Pfad ist ungültig.");
        const rtl::Reference<Refuser> refuser(new Refuser);
        Reference<css::lang::XComponent> loaded;
        try {
            loaded = session_->desktop->loadComponentFromURL(
                url, "_blank", 0,
                properties({property("Hidden", css::uno::Any(true)), property("ReadOnly", css::uno::Any(true)),
                            // Macros never run and links are never followed: the hosts only print.
                            property("MacroExecutionMode", css::uno::Any(sal_Int16(0))),
                            property("UpdateDocMode", css::uno::Any(sal_Int16(0))),
                            property("InteractionHandler",
                                     css::uno::Any(Reference<css::task::XInteractionHandler>(refuser.get())))}));
        } catch (const css::lang::IllegalArgumentException&) {
        } catch (const css::io::IOException&) {
            // Both mean that the office could not read the file.
        }
        const LoadedDocument document(loaded);
        if (!loaded.is())
            throw DocumentRefused(refuser->passwordAsked() ? "Das Dokument ist mit einem Kennwort geschützt."
                                                           : "Die Datei ist beschädigt oder kein Office-Dokument.");
        if (readAsText(filterOf(loaded))) throw DocumentRefused("Die Datei ist beschädigt oder kein Office-Dokument.");
        if (kind == OfficeDocumentKind::Spreadsheet) return layOutSpreadsheet(loaded, sheet);
        if (!Reference<css::text::XTextDocument>(loaded, UNO_QUERY).is())
            throw DocumentRefused("Die Datei ist kein Word-Dokument.");
        return {.sheets = {}, .sheet = {}, .pdf = pdfOf(loaded, "writer_pdf_Export", properties({}))};
    } catch (const css::uno::Exception& error) {
        throw std::runtime_error("Das Office-Programm hat das Dokument nicht gesetzt: " + text(error.Message));
    }
}

}  // namespace office
