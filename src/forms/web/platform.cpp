// What the forms ask of the browser besides their windows: the question, the clipboard and the
// program's end.
#include "forms/web/widgets.h"
#include "forms/web/window.h"

#include <cassert>
#include <string>

namespace forms {

using web::makeElement;
using web::toJs;
using web::val;

std::unique_ptr<Window> makeWindow(Form &form, const WindowSpec &spec) {
    return std::make_unique<web::FormWindow>(form, spec);
}

// A modal dialog in the page: はい the default (Enter), いいえ on Escape. The handler that asks
// waits for the answer while the page goes on, its timers included, as under a desktop's
// message box.
int msgBox(Form &, std::u16string_view prompt, [[maybe_unused]] int style,
           std::u16string_view title) {
    assert(style == vbYesNo);  // the one style the program asks with
    val dialog = makeElement("dialog", "question");
    dialog.set("id", std::string("question"));
    val form = makeElement("form");
    form.set("method", std::string("dialog"));
    val heading = makeElement("p", "title");
    heading.set("id", std::string("question-title"));
    heading.set("textContent", toJs(title));
    val text = makeElement("p", "prompt");
    text.set("id", std::string("question-prompt"));
    text.set("textContent", toJs(prompt));
    val buttons = makeElement("p", "buttons");
    val yes = makeElement("button");
    yes.set("value", std::string("yes"));
    yes.set("textContent", std::string("はい"));
    yes.set("autofocus", true);
    val no = makeElement("button");
    no.set("value", std::string("no"));
    no.set("textContent", std::string("いいえ"));
    buttons.call<void>("append", yes, no);
    form.call<void>("append", heading, text, buttons);
    dialog.call<void>("append", form);
    dialog.call<void>("setAttribute", std::string("aria-labelledby"),
                      std::string("question-title"));
    dialog.call<void>("setAttribute", std::string("aria-describedby"),
                      std::string("question-prompt"));
    web::document()["body"].call<void>("append", dialog);
    const std::string answer = val::module_property("ask")(dialog).await().as<std::string>();
    dialog.call<void>("remove");
    return answer == "yes" ? vbYes : vbNo;
}

void setClipboard(const ClipboardData &data) {
    const auto *picture = dynamic_cast<const web::Element *>(data.picture);
    val::module_property("copy")(toJs(tableText(data.table)), toJs(tableHtml(data.table)),
                                 picture ? picture->element() : val::null());
}

void endProgram(int) {
    // No handler runs from now on; the windows are gone, and the page says how to start again.
    web::endEverything();
    val windows = web::document().call<val>("querySelectorAll", std::string(".window"));
    const int count = windows["length"].as<int>();
    for (int i = 0; i < count; ++i) {
        windows[i].set("hidden", true);
    }
    val note = makeElement("p", "ended");
    note.set("textContent",
             std::string("じゃんけんを終了しました。ページを読み込み直すと、もう一度始まります。"));
    web::document()["body"].call<void>("append", note);
}

}  // namespace forms
