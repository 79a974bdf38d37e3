// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhononSoundChannel.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <phonon/BackendCapabilities>
#include <phonon/MediaObject>

#include <algorithm>
#include <memory>

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

enum class Action { Clear, Restart, Destroy };

} // namespace

Q_DECLARE_METATYPE(Action)

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
    QTest::addColumn<Action>("action");
    QTest::addColumn<int>("delayMs");

    // When the action comes: -1 at the moment the back end announces the end of the file
    // (read in full right after the start), else this many milliseconds after playback has
    // begun. A plain stop at such a moment may block for seconds.
    QTest::newRow("clear at the announcement") << Action::Clear << -1;
    QTest::newRow("restart at the announcement") << Action::Restart << -1;
    QTest::newRow("destroy at the announcement") << Action::Destroy << -1;
    for (int delayMs : { 0, 20, 150 })
        QTest::addRow("clear after %d ms", delayMs) << Action::Clear << delayMs;
    QTest::newRow("restart after 0 ms") << Action::Restart << 0;
    QTest::newRow("destroy after 0 ms") << Action::Destroy << 0;
}

void tst_PhononSoundChannel::neverStallsTheCaller()
{
    QFETCH(Action, action);
    QFETCH(int, delayMs);

    const QUrl background = QUrl::fromLocalFile(QStringLiteral(TARVENIX_SOURCE_DIR "/modules/media/00.mp3"));
    // The stall depends on thread timing: a few attempts make a regression show.
    for (int attempt = 0; attempt < 4; ++attempt) {
        auto channel = std::make_unique<PhononSoundChannel>();
        Phonon::MediaObject *media = channel->mediaObject();
        QSignalSpy states(media, &Phonon::MediaObject::stateChanged);

        // The longest time the event loop went without turning.
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] { longestGap = qMax(longestGap, sinceTick.restart()); });
        sinceTick.start();
        ticker.start(10);

        qint64 actionMs = -1;
        const auto act = [&] {
            if (actionMs >= 0)
                return;
            QElapsedTimer call;
            call.start();
            switch (action) {
            case Action::Clear:
                channel->clear();
                break;
            case Action::Restart:
                channel->play(background);
                break;
            case Action::Destroy:
                channel.reset();
                break;
            }
            actionMs = call.elapsed();
        };
        if (delayMs < 0) // queued: the media object may be destroyed, so not inside its signal
            connect(media, &Phonon::MediaObject::aboutToFinish, this, act, Qt::QueuedConnection);

        channel->play(background);
        if (delayMs >= 0) {
            QVERIFY(runUntil([&] { return media->state() == Phonon::PlayingState; }, 5000));
            runUntil([] { return false; }, delayMs);
            act();
        }
        QVERIFY(runUntil([&] { return actionMs >= 0; }, 5000));
        QVERIFY2(actionMs < 500, qPrintable(QString::number(actionMs)));

        const int settled = PhononSoundChannel::deferLimitMs + 500;
        if (action == Action::Restart) {
            // Stopped for the new start (not just loaded), then playing again.
            const auto replayed = [&] {
                return media->state() == Phonon::PlayingState
                    && std::any_of(states.cbegin(), states.cend(), [](const QList<QVariant> &change) {
                           return change.at(0).value<Phonon::State>() == Phonon::StoppedState
                               && change.at(1).value<Phonon::State>() != Phonon::LoadingState;
                       });
            };
            QVERIFY(runUntil(replayed, settled));
        } else if (action == Action::Clear) {
            QVERIFY(runUntil([&] { return media->currentSource().type() == Phonon::MediaSource::Empty; }, settled));
            QVERIFY(media->state() != Phonon::PlayingState);
        }
        QVERIFY2(longestGap < 1000, qPrintable(QString::number(longestGap)));

        // Right after a restart the channel is in the first moments of a source again.
        QElapsedTimer destruction;
        destruction.start();
        channel.reset();
        QVERIFY2(destruction.elapsed() < 500, qPrintable(QString::number(destruction.elapsed())));
    }
}

QTEST_GUILESS_MAIN(tst_PhononSoundChannel)
#include "tst_PhononSoundChannel.moc"
