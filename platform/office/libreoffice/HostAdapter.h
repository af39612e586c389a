#pragma once
// What makes the documents of one of the office's modules a host's: the
// host's application and its name, and each of those documents as one of the
// application's. One adapter per kind of host (WriterAsWord.h,
// CalcAsExcel.h), chosen once by the module of the first document shown.
#include <com/sun/star/frame/XModel.hpp>
#include <functional>
#include <vector>

#include "platform/office/bars/HostCommandBar.h"
#include "platform/office/model/Application.h"

namespace office::libreoffice {

class HostAdapter {
public:
    // A document of the office made one of the application's: the calls
    // that the host makes of it as the user works.
    struct Opened {
        std::function<void()> refresh;   // reads it anew before a click
        std::function<void()> activate;  // makes it the application's active one
        std::function<void()> close;     // takes it out of the application
    };

    virtual ~HostAdapter() = default;

    // The host's name among the add-in lists and in its message boxes' titles:
    // "Word", "Excel".
    virtual const char* hostName() const noexcept = 0;
    // The office's module whose documents the host takes.
    virtual const char* module() const noexcept = 0;
    virtual Application& application() noexcept = 0;
    // Makes the document of `model` one of the application's, the active one.
    virtual Opened open(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model) = 0;

protected:
    // The office's own buttons are not the host's to show: its bar starts empty.
    static std::vector<HostCommandBar::Layout> bars() { return {{.name = "Standard"}}; }
};

}  // namespace office::libreoffice
