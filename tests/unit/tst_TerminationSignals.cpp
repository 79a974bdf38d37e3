// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminationSignals.h"

#include <QSignalSpy>
#include <QtTest>

#include <csignal>

namespace {

volatile std::sig_atomic_t earlierHandlerCalls = 0;

void earlierHandler(int)
{
    earlierHandlerCalls = earlierHandlerCalls + 1;
}

} // namespace

class tst_TerminationSignals : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void signalBecomesRequest_data();
    void signalBecomesRequest();
    void oneOwnerAtATime();
};

void tst_TerminationSignals::initTestCase()
{
    // The platform's own lines are debug lines, off unless enabled.
    QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.platform.debug=true"));
}

void tst_TerminationSignals::signalBecomesRequest_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
}

// The request arrives through the event loop, one per signal, and the handler that was there
// before comes back afterwards.
void tst_TerminationSignals::signalBecomesRequest()
{
    QFETCH(int, signalNumber);

    std::signal(signalNumber, earlierHandler);
    earlierHandlerCalls = 0;
    {
        TerminationSignals signals_;
        QSignalSpy requests(&signals_, &TerminationSignals::terminationRequested);
        QVERIFY(signals_.start());

        QCOMPARE(std::raise(signalNumber), 0);
        QCOMPARE(requests.count(), 0);   // nothing happens inside the handler
        QTRY_COMPARE(requests.count(), 1);
        QCOMPARE(std::raise(signalNumber), 0);
        QTRY_COMPARE(requests.count(), 2);
        QCOMPARE(int(earlierHandlerCalls), 0);
    }
    QCOMPARE(std::raise(signalNumber), 0);
    QCOMPARE(int(earlierHandlerCalls), 1);
    std::signal(signalNumber, SIG_DFL);
}

void tst_TerminationSignals::oneOwnerAtATime()
{
    TerminationSignals first;
    QVERIFY(first.start());
    {
        TerminationSignals second;
        QTest::ignoreMessage(QtDebugMsg, "termination signals are not handled: the process ends at once on them");
        QVERIFY(!second.start());
    }
    // The refused one took nothing away from the owner.
    QSignalSpy requests(&first, &TerminationSignals::terminationRequested);
    QCOMPARE(std::raise(SIGTERM), 0);
    QTRY_COMPARE(requests.count(), 1);
}

QTEST_GUILESS_MAIN(tst_TerminationSignals)
#include "tst_TerminationSignals.moc"
