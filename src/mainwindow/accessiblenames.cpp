#include "mainwindow/accessiblenames.h"

#include "mainwindow/layout.h"

#include <QLabel>
#include <QWidget>

#include <array>

namespace mainwindow {

namespace {

// One player's column: name label, judgement label, and the pictures of
// rock, scissors and paper.
struct PlayerControls {
    const char *nameLabel;
    const char *judgement;
    std::array<const char *, 3> pictures;
};

constexpr std::array<PlayerControls, 3> kPlayers{{
    {"Label1", "hanntei1", {"guu1", "pii1", "paa1"}},
    {"Label2", "hanntei2", {"guu2", "pii2", "paa2"}},
    {"Label3", "hanntei3", {"guu3", "pii3", "paa3"}},
}};

constexpr std::array<const char16_t *, 3> kHandWords{u"グー", u"チョキ", u"パー"};

// One row of the result table: its heading and its two cells.
struct ResultRow {
    const char *heading;
    const char *count;
    const char *ratio;
};

constexpr std::array<ResultRow, 9> kResultRows{{
    {"Label4", "aikolabel", "aikow"},
    {"Label5", "a1katilabel", "a1katiw"},
    {"Label6", "b1katilabel", "b1katiw"},
    {"Label7", "c1katilabel", "c1katiw"},
    {"Label8", "abc1katiLabel", "abc1katiw"},
    {"Label12", "a1makelabel", "a1makew"},
    {"Label11", "b1makelabel", "b1makew"},
    {"Label10", "c1makelabel", "c1makew"},
    {"Label9", "abc1makelabel", "abc1makew"},
}};
constexpr const char *kCountHeading = "Label13";
constexpr const char *kRatioHeading = "Label14";

QString layoutCaption(const char *name) {
    for (const forms::ControlSpec &spec : form1Controls()) {
        if (qstrcmp(spec.name, name) == 0) {
            Q_ASSERT_X(spec.caption, "layoutCaption", name);
            return spec.caption ? QString::fromUtf16(spec.caption) : QString();
        }
    }
    Q_ASSERT_X(false, "layoutCaption", name);
    return {};
}

QWidget *control(QWidget *window, const char *name) {
    auto *widget =
        window->findChild<QWidget *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT_X(widget, "nameMainWindowControls", name);
    return widget;
}

void nameCell(QWidget *window, const char *name, const QString &accessibleName) {
    QWidget *widget = control(window, name);
    if (!widget) {
        return;
    }
    widget->setAccessibleName(accessibleName);
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        label->setAccessibleDescription(label->text());
    }
}

}  // namespace

void nameMainWindowControls(QWidget *window) {
    const QChar space(u' ');
    for (const PlayerControls &player : kPlayers) {
        const QString who = layoutCaption(player.nameLabel);
        for (std::size_t hand = 0; hand < player.pictures.size(); ++hand) {
            nameCell(window, player.pictures[hand],
                     who + space + QString::fromUtf16(kHandWords[hand]));
        }
        nameCell(window, player.judgement, who + space + QStringLiteral(u"判定"));
    }
    const QString count = layoutCaption(kCountHeading);
    const QString ratio = layoutCaption(kRatioHeading);
    for (const ResultRow &row : kResultRows) {
        const QString heading = layoutCaption(row.heading);
        nameCell(window, row.count, heading + space + count);
        nameCell(window, row.ratio, heading + space + ratio);
    }
    // The control without a caption of its own.
    nameCell(window, "MMControl1", QStringLiteral(u"効果音"));
}

}  // namespace mainwindow
