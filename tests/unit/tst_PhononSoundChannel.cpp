// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhononSoundChannel.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QFileInfo>
#include <QTimer>
#include <QtTest>

#include <phonon/BackendCapabilities>
#include <phonon/MediaObject>

#include <algorithm>

namespace {

// Turns the event loop until `done` holds or `timeoutMs` have passed. Unlike QTest::qWait it
// does not sleep between turns: the stall shows only when an event is handled the moment it
// arrives, as in the application.
template<typename Predicate>
bool runUntil(Predicate done, int timeoutMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < timeoutMs) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

} // namespace

class tst_PhononSoundChannel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void neverStallsTheCaller_data();
    void neverStallsTheCaller();
};

void tst_PhononSoundChannel::initTestCase()
{
    // Silent also on a machine with speakers; the fake sink keeps real time.
    qputenv("PHONON_GST_AUDIOSINK", "fake");
    if (Phonon::BackendCapabilities::availableMimeTypes().isEmpty())
        QSKIP("no Phonon back end installed");
}

void tst_PhononSoundChannel::neverStallsTheCaller_data()
{
    QTest::addColumn<bool>("restart");
    QTest::addColumn<int>("delayMs");

    // When the request comes: -1 at the moment the back end announces the end of the file
    // (read in full right after the start), else this many milliseconds after playback has
    // begun. A plain stop at those moments may block for seconds.
    QTest::newRow("clear at the announcement") << false << -1;
    QTest::newRow("restart at the announcement") << true << -1;
    for (int delayMs : { 0, 20, 150 })
        QTest::addRow("clear after %d ms", delayMs) << false << delayMs;
    QTest::newRow("restart after 0 ms") << true << 0;
}

void tst_PhononSoundChannel::neverStallsTheCaller()
{
    QFETCH(bool, restart);
    QFETCH(int, delayMs);

    const QUrl background = QUrl::fromLocalFile(QFileInfo(QFINDTESTDATA("../../modules/media/00.mp3")).absoluteFilePath());
    // The stall depends on thread timing: a few attempts make a regression show.
    QElapsedTimer whole; whole.start();
    for (int attempt = 0; attempt < 4; ++attempt) {
        qDebug() << "TMP attempt" << attempt << whole.elapsed();
        PhononSoundChannel channel;
        Phonon::MediaObject *media = channel.mediaObject();
        QSignalSpy states(media, &Phonon::MediaObject::stateChanged);

        // The longest time the event loop went without turning.
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] { longestGap = qMax(longestGap, sinceTick.restart()); });
        sinceTick.start();
        ticker.start(10);

        qint64 requestMs = -1;
        const auto request = [&] {
            if (requestMs >= 0)
                return;
            QElapsedTimer call;
            call.start();
            if (restart)
                channel.play(background);
            else
                channel.clear();
            requestMs = call.elapsed();
        };
        if (delayMs < 0)
            connect(media, &Phonon::MediaObject::aboutToFinish, &channel, request);

        channel.play(background);
        if (delayMs >= 0) {
            QVERIFY(runUntil([&] { return media->state() == Phonon::PlayingState; }, 5000));
            runUntil([] { return false; }, delayMs);
            request();
        }
        QVERIFY(runUntil([&] { return requestMs >= 0; }, 5000));
        QVERIFY2(requestMs < 200, qPrintable(QString::number(requestMs)));

        const int settled = PhononSoundChannel::deferLimitMs + 500;
        if (restart) {
            // Stopped for the new start (not just loaded), then playing again.
            const auto replayed = [&] {
                return media->state() == Phonon::PlayingState
                    && std::any_of(states.cbegin(), states.cend(), [](const QList<QVariant> &change) {
                           return change.at(0).value<Phonon::State>() == Phonon::StoppedState
                               && change.at(1).value<Phonon::State>() != Phonon::LoadingState;
                       });
            };
            QVERIFY(runUntil(replayed, settled));
        } else {
            QVERIFY(runUntil([&] { return media->currentSource().type() == Phonon::MediaSource::Empty; }, settled));
            QVERIFY(media->state() != Phonon::PlayingState);
        }
        QVERIFY2(longestGap < 1000, qPrintable(QString::number(longestGap)));
        qDebug() << "TMP end attempt" << whole.elapsed();
    }
}

QTEST_GUILESS_MAIN(tst_PhononSoundChannel)
#include "tst_PhononSoundChannel.moc"
