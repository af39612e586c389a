#include "platform/runtime/terminal/TerminalBackend.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <istream>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "platform/com/LowerCase.h"
#include "platform/runtime/Interaction.h"
#include "platform/runtime/KeyRouting.h"

namespace runtime {

namespace {

constexpr const char* answerPrompt = "Auswahl: ";
// 'x' is left out: it is the close box.
constexpr std::string_view checkBoxLetters = "abcdefghijklmnopqrstuvwyz";

enum class ActionKind { ListEntry, Button, CheckBox, CloseBox };

// One thing the user can do on a shown window, and the answer that does it.
struct Action {
    std::string answer;
    ActionKind kind = ActionKind::CloseBox;
    std::string control{};
    int entry = -1;  // list entry
};

// A window as drawn once, with the answers that fit what was drawn.
struct Screen {
    std::string text;
    std::vector<Action> actions;
    bool enter = false;
    bool escape = false;
};

// A window text breaks its lines at CR LF, LF or a lone CR, as a window does.
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            result.emplace_back();
        } else {
            result.back() += text[i];
        }
    }
    return result;
}

std::string heading(const std::string& title) {
    return "\n" + title + "\n" + std::string(Len(title), '=') + "\n";
}

std::string iconWord(int style) {
    switch (style & 0x70) {
        case vbCritical: return "[Stopp] ";
        case vbQuestion: return "[Frage] ";
        case vbExclamation: return "[Achtung] ";
        case 64: return "[Info] ";  // information
        default: return "";
    }
}

// Answers are taken in either case: "X" closes, "ESC" is Escape.
bool isEscape(const std::string& answer) {
    return answer == "\x1b" || com::lowerCase(answer) == "esc";
}

std::vector<const Control*> visibleOfKind(const Form& form, ControlKind kind) {
    std::vector<const Control*> result;
    for (const Control& c : form.controls())
        if (c.visible && c.kind == kind) result.push_back(&c);
    return result;
}

// Tab order; controls outside it come last, in the order the window has them.
void sortByTabOrder(std::vector<const Control*>& controls) {
    std::stable_sort(controls.begin(), controls.end(), [](const Control* a, const Control* b) {
        const auto rank = [](const Control* c) {
            return c->tabIndex < 0 ? std::numeric_limits<int>::max() : c->tabIndex;
        };
        return rank(a) < rank(b);
    });
}

Screen draw(const Form& form) {
    Screen screen;
    std::string& text = screen.text;
    text = heading(form.caption());

    // Labels in reading order: top to bottom, then left to right.
    std::vector<const Control*> labels = visibleOfKind(form, ControlKind::Label);
    std::stable_sort(labels.begin(), labels.end(), [](const Control* a, const Control* b) {
        return a->top != b->top ? a->top < b->top : a->left < b->left;
    });
    bool firstLabel = true;
    for (const Control* label : labels) {
        if (label->caption.empty()) continue;
        if (!firstLabel) text += "\n";
        firstLabel = false;
        for (const std::string& line : lines(label->caption)) text += line + "\n";
    }
    if (!firstLabel) text += "\n";

    int number = 0;
    for (const Control* list : visibleOfKind(form, ControlKind::ListBox)) {
        for (std::size_t i = 0; i < list->items.size(); ++i) {
            const int entry = static_cast<int>(i);
            const std::string answer = std::to_string(++number);
            text += (entry == list->listIndex ? "* " : "  ") + answer + ") " + list->items[i] + "\n";
            screen.actions.push_back({answer, ActionKind::ListEntry, list->name, entry});
        }
    }
    std::vector<const Control*> buttons = visibleOfKind(form, ControlKind::CommandButton);
    sortByTabOrder(buttons);
    for (const Control* button : buttons) {
        const std::string answer = std::to_string(++number);
        text += (button->name == form.focus() ? "> " : "  ") + answer + ") " + button->caption + "\n";
        screen.actions.push_back({answer, ActionKind::Button, button->name});
    }
    std::vector<const Control*> boxes = visibleOfKind(form, ControlKind::CheckBox);
    sortByTabOrder(boxes);
    for (std::size_t i = 0; i < boxes.size() && i < checkBoxLetters.size(); ++i) {
        const Control* box = boxes[i];
        const std::string answer(1, checkBoxLetters[i]);
        text += (box->name == form.focus() ? "> " : "  ") + answer + ") " + (box->value == 1 ? "[x] " : "[ ] ") +
                box->caption + "\n";
        screen.actions.push_back({answer, ActionKind::CheckBox, box->name});
    }
    text += "  x) Fenster schließen\n";
    screen.actions.push_back({"x", ActionKind::CloseBox});

    screen.enter = keyHasEffect(form, keyAscii::Enter);
    screen.escape = keyHasEffect(form, keyAscii::Escape);
    if (screen.enter && screen.escape)
        text += "(leere Zeile = Enter, esc = Escape)\n";
    else if (screen.enter)
        text += "(leere Zeile = Enter)\n";
    return screen;
}

// The terminal's windows have no control that takes typed characters: of
// what the routing decides, only a button's press is left to do.
void pressKey(Form& form, int code) {
    if (routeKey(form, code).action == KeyAction::PressFocusedButton) form.click(form.focus());
}

void perform(Form& form, const Action& action) {
    switch (action.kind) {
        case ActionKind::ListEntry: chooseEntry(form, action.control, action.entry); return;
        case ActionKind::Button: form.click(action.control); return;
        case ActionKind::CheckBox: {
            Control& box = form.control(action.control);
            box.value = box.value == 1 ? 0 : 1;
            form.click(action.control);
            return;
        }
        case ActionKind::CloseBox: form.close(); return;
    }
}

// Performs one answer on the window as drawn; false when it fits nothing drawn.
bool answerWindow(Form& form, const Screen& screen, const std::string& answer) {
    if (answer.empty() && screen.enter) {
        pressKey(form, keyAscii::Enter);
        return true;
    }
    if (screen.escape && isEscape(answer)) {
        pressKey(form, keyAscii::Escape);
        return true;
    }
    const std::string key = com::lowerCase(answer);
    for (const Action& action : screen.actions) {
        if (action.answer == key) {
            perform(form, action);
            return true;
        }
    }
    return false;
}

}  // namespace

struct TerminalBackend::OwnStreams {
    std::ifstream in;
    std::ofstream out;
};

TerminalBackend::TerminalBackend(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

TerminalBackend::~TerminalBackend() = default;

std::unique_ptr<TerminalBackend> TerminalBackend::openControllingTerminal() {
    auto own = std::make_unique<OwnStreams>();
    own->in.open("/dev/tty");
    const int error = errno;
    if (own->in.is_open()) own->out.open("/dev/tty");
    if (!own->in.is_open() || !own->out.is_open()) {
        throw std::runtime_error("Kein Terminal: /dev/tty lässt sich nicht öffnen (" +
                                 std::string(std::strerror(error)) +
                                 "). Ohne Bildschirm braucht das Programm ein Terminal.");
    }
    auto backend = std::make_unique<TerminalBackend>(own->in, own->out);
    backend->own_ = std::move(own);
    return backend;
}

bool TerminalBackend::readAnswer(std::string& answer) {
    if (!std::getline(in_, answer)) {
        // On a terminal, Ctrl-D ends the input of this prompt only: the next
        // one reads again. The next text starts on a line of its own.
        in_.clear();
        out_ << "\n" << std::flush;
        return false;
    }
    const auto first = answer.find_first_not_of(" \t\r");
    const auto last = answer.find_last_not_of(" \t\r");
    answer = first == std::string::npos ? std::string() : answer.substr(first, last - first + 1);
    return true;
}

void TerminalBackend::askAgain() {
    out_ << "Bitte eine der angezeigten Möglichkeiten wählen.\n" << answerPrompt << std::flush;
}

int TerminalBackend::messageBox(const MessageBoxRequest& request) {
    const bool hasCancel = hasCancelButton(request.style);
    out_ << heading(iconWord(request.style) + request.title);
    for (const std::string& line : lines(request.prompt)) out_ << line << "\n";
    out_ << (hasCancel ? "1) OK  2) Abbrechen\n" : "1) OK\n") << answerPrompt << std::flush;
    for (std::string answer;;) {
        if (!readAnswer(answer)) return escapeAnswer(request.style);
        if (answer.empty() || answer == "1") return vbOK;
        // Escape on a box without Cancel closes it with OK, as a window's box does.
        if (isEscape(answer)) return escapeAnswer(request.style);
        if (hasCancel && (answer == "2" || answer == "0")) return vbCancel;
        askAgain();
    }
}

void TerminalBackend::showModal(Form& form) {
    form.activate();
    while (form.loaded()) {
        const Screen screen = draw(form);
        out_ << screen.text << answerPrompt << std::flush;
        for (std::string answer;;) {
            if (!readAnswer(answer)) {
                form.close();
                return;
            }
            if (answerWindow(form, screen, answer)) break;
            askAgain();
        }
    }
}

void TerminalBackend::processEvents() {
    // Answers are read only while a window or box waits for one; nothing is pending.
}

bool TerminalBackend::openDocument(const std::string& path) {
    out_ << "Öffnen: " << path << "\n" << std::flush;
    return true;
}

}  // namespace runtime
