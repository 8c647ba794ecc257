// What the forms ask of the platform besides their windows: the question, the clipboard and the
// program's end.
#include "forms/qt/canvas.h"
#include "forms/qt/window.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

#include <cassert>

namespace forms {

std::unique_ptr<Window> makeWindow(Form &form, const WindowSpec &spec) {
    return std::make_unique<qt::FormWindow>(form, spec);
}

int msgBox(Form &owner, std::u16string_view prompt, [[maybe_unused]] int style,
           std::u16string_view title) {
    QMessageBox box(qt::widget(owner));
    box.setWindowTitle(qt::toQString(title));
    box.setText(qt::toQString(prompt));
    box.setIcon(QMessageBox::NoIcon);
    assert(style == vbYesNo);  // the one style the program asks with
    QPushButton *yes = box.addButton(QStringLiteral(u"はい"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral(u"いいえ"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? vbYes : vbNo;
}

void setClipboard(const ClipboardData &data) {
    auto *mime = new QMimeData;  // the clipboard takes it over
    mime->setText(qt::toQString(tableText(data.table)));
    mime->setHtml(qt::toQString(tableHtml(data.table)));
    if (const auto *canvas = dynamic_cast<const qt::Canvas *>(data.picture)) {
        mime->setImageData(canvas->image());
    }
    QGuiApplication::clipboard()->setMimeData(mime);
}

void endProgram(int status) {
    QCoreApplication::exit(status);
}

}  // namespace forms
