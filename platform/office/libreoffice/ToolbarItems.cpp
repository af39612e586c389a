#include "platform/office/libreoffice/ToolbarItems.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/ElementExistException.hpp>
#include <com/sun/star/container/XIndexContainer.hpp>
#include <com/sun/star/frame/XLayoutManager.hpp>
#include <com/sun/star/ui/ImageType.hpp>
#include <com/sun/star/ui/ItemStyle.hpp>
#include <com/sun/star/ui/ItemType.hpp>
#include <com/sun/star/ui/XImageManager.hpp>
#include <com/sun/star/ui/XUIConfigurationManager.hpp>
#include <com/sun/star/ui/XUIElement.hpp>
#include <com/sun/star/ui/XUIElementSettings.hpp>
#include <com/sun/star/ui/theModuleUIConfigurationManagerSupplier.hpp>
#include <utility>

#include "platform/office/libreoffice/ToolbarCommand.h"
#include "platform/runtime/awt/Graphic.h"
#include "platform/uno/UnoText.h"

namespace office::libreoffice {

namespace css = com::sun::star;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace {

// Not the quick-access bar left of the tabs: when its configuration
// changes, the office builds it anew in every window and binds all its items
// (Save and Undo too) to whichever window is active then. The menu is built
// at each opening, for its own window.
constexpr const char* kTabbedMenu = "private:resource/popupmenu/notebookbar";

// A toolbar shows an item as the control's style says; a menu entry always
// with the caption, and with the face where the menu shows faces.
enum class Place { Toolbar, Menu };

// Word's button styles: 0 automatic and 1 show the face, 2 the caption, 3 both.
constexpr int kCaptionAndFace = 3;
sal_Int16 itemStyle(int style) {
    namespace item = css::ui::ItemStyle;
    switch (style) {
        case 2: return item::TEXT;
        case kCaptionAndFace: return item::ICON | item::TEXT;
        default: return item::ICON;
    }
}

std::string commandAt(const Reference<css::container::XIndexAccess>& items, sal_Int32 index) {
    Sequence<css::beans::PropertyValue> properties;
    items->getByIndex(index) >>= properties;
    for (const auto& property : properties) {
        rtl::OUString command;
        if (property.Name == "CommandURL" && (property.Value >>= command)) return uno::text(command);
    }
    return {};
}

// The controls of the bar that show an item, with their commands.
std::vector<std::pair<std::string, BarControl::Properties>> shownControls(const HostCommandBar& bar) {
    std::vector<std::pair<std::string, BarControl::Properties>> shown;
    const auto& controls = bar.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const BarControl& control = *controls[i];
        if (!control.builtIn() && control.properties().visible)
            shown.emplace_back(controlCommand(bar.Name(), i + 1), control.properties());
    }
    return shown;
}

// Replaces the items of the hosts' protocol among `items` by the bar's.
void replaceItems(const Reference<css::container::XIndexContainer>& items, const HostCommandBar& bar, Place place) {
    for (sal_Int32 i = items->getCount() - 1; i >= 0; --i) {
        if (commandAt(Reference<css::container::XIndexAccess>(items.get()), i).starts_with(kCommandPrefix))
            items->removeByIndex(i);
    }
    for (const auto& [command, properties] : shownControls(bar)) {
        const sal_Int16 style = itemStyle(place == Place::Toolbar ? properties.style : kCaptionAndFace);
        items->insertByIndex(
            items->getCount(),
            Any(uno::properties({uno::property("CommandURL", Any(uno::text(command))),
                                 uno::property("Label", Any(uno::text(properties.caption))),
                                 uno::property("Tooltip", Any(uno::text(properties.caption))),
                                 uno::property("Type", Any(css::ui::ItemType::DEFAULT)),
                                 uno::property("Style", Any(style)), uno::property("IsVisible", Any(true))})));
    }
}

}  // namespace

ToolbarItems::ToolbarItems(const Reference<css::uno::XComponentContext>& context, std::string module)
    : context_(context), module_(std::move(module)) {}

void ToolbarItems::showFaces(const HostCommandBar& bar) {
    const auto supplier = css::ui::theModuleUIConfigurationManagerSupplier::get(context_);
    const Reference<css::ui::XImageManager> images(
        supplier->getUIConfigurationManager(uno::text(module_))->getImageManager(), UNO_QUERY_THROW);
    dropFaces();
    std::vector<rtl::OUString> commands;
    std::vector<Reference<css::graphic::XGraphic>> graphics;
    const auto& controls = bar.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const BarControl& control = *controls[i];
        if (control.builtIn() || control.properties().face.empty()) continue;
        const Reference<css::graphic::XGraphic> graphic = runtime::awt::graphicOf(control.properties().face, context_);
        if (!graphic.is()) continue;
        faces_.push_back(controlCommand(bar.Name(), i + 1));
        commands.push_back(uno::text(faces_.back()));
        graphics.push_back(graphic);
    }
    if (commands.empty()) return;
    const Sequence<rtl::OUString> commandList(commands.data(), static_cast<sal_Int32>(commands.size()));
    const Sequence<Reference<css::graphic::XGraphic>> graphicList(graphics.data(),
                                                                  static_cast<sal_Int32>(graphics.size()));
    for (const sal_Int16 size : {css::ui::ImageType::SIZE_DEFAULT, css::ui::ImageType::SIZE_LARGE}) {
        try {
            images->insertImages(size, commandList, graphicList);
        } catch (const css::container::ElementExistException&) {
            images->replaceImages(size, commandList, graphicList);
        }
    }
}

void ToolbarItems::show(const HostCommandBar& bar, const Reference<css::frame::XFrame>& frame) {
    Reference<css::frame::XLayoutManager> layout;
    Reference<css::beans::XPropertySet>(frame, UNO_QUERY_THROW)->getPropertyValue("LayoutManager") >>= layout;
    if (!layout.is()) return;
    for (const std::string_view name : kHostToolbars) {
        const Reference<css::ui::XUIElement> toolbar = layout->getElement(uno::text(name));
        if (!toolbar.is()) continue;  // another interface, or the user closed the toolbar
        // Changes to a toolbar that is not persistent stay in this window and
        // are never written to the office's toolbar settings.
        Reference<css::beans::XPropertySet>(toolbar, UNO_QUERY_THROW)->setPropertyValue("Persistent", Any(false));
        const Reference<css::ui::XUIElementSettings> settings(toolbar, UNO_QUERY_THROW);
        const Reference<css::container::XIndexContainer> items(settings->getSettings(true), UNO_QUERY_THROW);
        replaceItems(items, bar, Place::Toolbar);
        settings->setSettings(Reference<css::container::XIndexAccess>(items.get()));
    }
}

void ToolbarItems::showTabbedMenu(const HostCommandBar& bar) {
    auto shown = shownControls(bar);
    if (shown == tabbedMenu_) return;
    const auto manager =
        css::ui::theModuleUIConfigurationManagerSupplier::get(context_)->getUIConfigurationManager(uno::text(module_));
    const rtl::OUString name = rtl::OUString::createFromAscii(kTabbedMenu);
    if (!manager->hasSettings(name)) return;  // an office without tabbed interfaces
    const Reference<css::container::XIndexContainer> items(manager->getSettings(name, true), UNO_QUERY_THROW);
    // After the menu's last separator, as a group of their own.
    replaceItems(items, bar, Place::Menu);
    manager->replaceSettings(name, Reference<css::container::XIndexAccess>(items.get()));
    tabbedMenu_ = std::move(shown);
}

void ToolbarItems::dropFaces() {
    if (faces_.empty()) return;
    std::vector<rtl::OUString> commands;
    for (const std::string& face : faces_) commands.push_back(uno::text(face));
    faces_.clear();
    const auto supplier = css::ui::theModuleUIConfigurationManagerSupplier::get(context_);
    const Reference<css::ui::XImageManager> images(
        supplier->getUIConfigurationManager(uno::text(module_))->getImageManager(), UNO_QUERY_THROW);
    const Sequence<rtl::OUString> commandList(commands.data(), static_cast<sal_Int32>(commands.size()));
    for (const sal_Int16 size : {css::ui::ImageType::SIZE_DEFAULT, css::ui::ImageType::SIZE_LARGE})
        images->removeImages(size, commandList);
}

}  // namespace office::libreoffice
