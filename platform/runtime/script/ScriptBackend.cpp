#include "platform/runtime/script/ScriptBackend.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/runtime/Interaction.h"
#include "platform/runtime/KeyRouting.h"
#include "platform/win32/EscapedText.h"

namespace runtime {

namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> result;
    for (std::string word; in >> word;) result.push_back(word);
    return result;
}

bool skipped(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r");
    return first == std::string::npos || line[first] == '#';
}

const Control* firstOfKind(const Form& form, ControlKind kind) {
    for (const Control& c : form.controls())
        if (c.kind == kind) return &c;
    return nullptr;
}

const Control* withAnswer(const Form& form, const std::string& answer) {
    for (const Control& c : form.controls())
        if (c.answer == answer) return &c;
    return nullptr;
}

}  // namespace

std::string quoted(const std::string& text) {
    return win32::quoted(text);
}

ScriptBackend::ScriptBackend(const std::vector<std::string>& answers) {
    for (const std::string& a : answers) queue(a);
}

std::vector<std::string> ScriptBackend::readScript(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read the answer script " + path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void ScriptBackend::queue(const std::string& answer) {
    if (!skipped(answer)) answers_.push_back(answer);
}

bool ScriptBackend::takeAnswer(const std::string& kind, std::vector<std::string>& result) {
    if (answers_.empty()) return false;
    std::vector<std::string> w = words(answers_.front());
    if (w.empty() || w.front() != kind) return false;
    answers_.pop_front();
    result.assign(w.begin() + 1, w.end());
    return true;
}

int ScriptBackend::messageBox(const MessageBoxRequest& request) {
    const std::string shown = "msgbox style=" + std::to_string(request.style) + " title=" + quoted(request.title) +
                              " text=" + quoted(request.prompt);
    const bool hasCancel = hasCancelButton(request.style);
    std::vector<std::string> w;
    int answer = 0;
    if (takeAnswer("msgbox", w) && w.size() == 1) {
        if (w[0] == "ok") answer = vbOK;
        if (w[0] == "cancel" && hasCancel) answer = vbCancel;
    }
    if (answer == 0) {
        unexpected_ = true;
        answer = escapeAnswer(request.style);
        record_.push_back("unexpected " + shown + " -> " + std::to_string(answer));
        return answer;
    }
    record_.push_back(shown + " -> " + std::to_string(answer));
    return answer;
}

std::string ScriptBackend::describe(const Form& form) const {
    if (form.role() == FormRole::Choice) return "choice caption=" + quoted(form.caption());
    const Control* label = firstOfKind(form, ControlKind::Label);
    return "dialog text=" + quoted(label ? label->caption : std::string()) + " focus=" + form.focus();
}

bool ScriptBackend::answerChoice(Form& form, const std::vector<std::string>& w) {
    if (w.size() != 1) return false;
    const Control* list = firstOfKind(form, ControlKind::ListBox);
    if (w[0] == "enter" || w[0] == "escape") {
        // A scripted key speaks to the window's key handler, whatever its key preview.
        int key = w[0] == "enter" ? keyAscii::Enter : keyAscii::Escape;
        form.keyPress(key);
        return true;
    }
    if (w[0] == "close") {
        form.close();
        return true;
    }
    if (!list || w[0].empty() || w[0].find_first_not_of("0123456789") != std::string::npos) return false;
    const auto index = std::stoul(w[0]);
    if (index >= list->items.size()) return false;
    chooseEntry(form, list->name, static_cast<int>(index));
    return true;
}

bool ScriptBackend::answerQuestion(Form& form, const std::vector<std::string>& w) {
    if (w.empty() || w.size() > 2) return false;
    if (w.size() == 2) {
        const Control* box = withAnswer(form, "remember");
        if (w[1] != "remember" || !box) return false;
        form.control(box->name).value = 1;
        form.click(box->name);
    }
    if (w[0] == "close") {
        form.close();
        return true;
    }
    const Control* button = withAnswer(form, w[0]);
    if (!button || button->kind != ControlKind::CommandButton) return false;
    form.click(button->name);
    return true;
}

void ScriptBackend::showModal(Form& form) {
    form.activate();
    const std::string shown = describe(form);
    const std::string kind = form.role() == FormRole::Choice ? "choice" : "dialog";
    bool fitted = true;
    while (form.loaded()) {
        std::vector<std::string> w;
        const bool taken = takeAnswer(kind, w);
        fitted = taken && (form.role() == FormRole::Choice ? answerChoice(form, w) : answerQuestion(form, w));
        if (!fitted) {
            unexpected_ = true;
            form.close();
        }
    }
    record_.push_back((fitted ? "" : "unexpected ") + shown + " -> " + form.outcome());
}

void ScriptBackend::atNextEvents(std::function<void()> event) {
    pendingEvents_.push_back(std::move(event));
}

void ScriptBackend::processEvents() {
    ++events_;
    // Taken off first: the event may itself handle pending events.
    std::deque<std::function<void()>> happening;
    happening.swap(pendingEvents_);
    for (auto& event : happening) event();
}

bool ScriptBackend::openDocument(const std::string& path) {
    record_.push_back("open " + quoted(path));
    return true;
}

}  // namespace runtime
