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

namespace {

// The Windows clipboard's "HTML Format": the HTML after a header of byte offsets into it.
QByteArray htmlFormat(const QByteArray &html) {
    constexpr qsizetype kHeader = 105;  // the header itself, its four offsets ten digits each
    const auto offset = [](qsizetype at) {
        return QByteArray::number(kHeader + at).rightJustified(10, '0');
    };
    const qsizetype start = html.indexOf("<table");
    const qsizetype end = html.indexOf("</table>") + 8;
    return "Version:0.9\r\nStartHTML:" + offset(0) + "\r\nEndHTML:" + offset(html.size()) +
           "\r\nStartFragment:" + offset(start) + "\r\nEndFragment:" + offset(end) + "\r\n" + html;
}

}  // namespace

// LibreOffice picks from what a copy offers by its own order of preference, whatever the order
// offered. Calc opens an import dialog for text/html, so the table goes as the Windows HTML
// format under LibreOffice's name for it, which Calc pastes as cells at once, each number in the
// format it is shown in.
void setClipboard(const ClipboardData &data) {
    auto *mime = new QMimeData;  // the clipboard takes it over
    mime->setText(qt::toQString(tableText(data.table)));
    mime->setData(
        QStringLiteral("application/x-openoffice-html-simple;windows_formatname=\"HTML Format\""),
        htmlFormat(qt::toQString(tableHtml(data.table)).toUtf8()));
    if (const auto *canvas = dynamic_cast<const qt::Canvas *>(data.picture)) {
        mime->setImageData(canvas->image());  // what Writer pastes
        // Calc prefers any picture to a table in HTML, but an Excel table to a picture: offered
        // an empty one, which it cannot read, it goes on to the HTML and pastes the numbers.
        // Writer knows no Excel table and still takes the picture.
        mime->setData(
            QStringLiteral("application/x-openoffice-biff-5;windows_formatname=\"Biff 5\""),
            QByteArray());
    }
    QGuiApplication::clipboard()->setMimeData(mime);
}

void endProgram(int status) {
    QCoreApplication::exit(status);
}

}  // namespace forms
