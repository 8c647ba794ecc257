// The help window, compared with its approved image, once and after being
// activated again: always one whole copy of the text.
#include "help/form4.h"
#include "support/approved.h"

#include <QTest>

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void looksAsApproved() {
        Form4 help;
        help.bringUp();
        for (int activation = 0; activation < 2; ++activation) {
            help.Form_Activate();
            testing::compareWithApproved(testing::shot(&help), QStringLiteral("help"));
        }
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
