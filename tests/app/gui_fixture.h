// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/kelmot_u.h"
#include "app/program.h"
#include "platform/manual_wavein.h"
#include "platform/simulated_mixer.h"
#include "store/measurementstore.h"
#include "tests/eventloop.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace kelmot::test {

// Recording lines of a card that switches inputs by mute.
inline platform::SimDevice muteCard(const std::string& name) {
    auto line = [](const char* n, std::int32_t v, bool muted) {
        platform::SimControl volume;
        volume.values = {v, v};
        platform::SimControl mute;
        mute.type = platform::MIXERCONTROL_CONTROLTYPE_MUTE;
        mute.flags = platform::MIXERCONTROL_CONTROLF_UNIFORM;
        mute.values = {muted ? 1 : 0};
        return platform::SimLine{n, 2, {volume, mute}};
    };
    platform::SimDevice d;
    d.productName = name;
    platform::SimControl master;
    master.values = {1234, 1234};
    d.destinations = {
        {{"Wiedergabe", 2, {}}, {}},
        {{"Aufnahme", 2, {master}},
         {line("Mikrofon", 100, true), line("Line-In", 200, false), line("CD", 300, true)}}};
    return d;
}

// Runs `action`; every modal dialog that opens meanwhile is recorded by its
// object name and closed, as a user pressing its close box would.
template <typename Action> QStringList closingModals(Action action) {
    QStringList seen;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            seen << modal->objectName();
            modal->close();
        }
    });
    watcher.start();
    action();
    return seen;
}

// How long a dialog may refuse an answer before it is closed unanswered.
inline constexpr int ModalAnswerLimitMs = 60000;

// Runs `action`; every modal dialog that opens meanwhile is handed to
// `answer`, which must close it. Returns the dialogs' object names in order.
template <typename Action, typename Answer>
QStringList answeringModals(Action action, Answer answer) {
    QStringList seen;
    QTimer watcher;
    watcher.setInterval(5);
    // A dialog that will not take the answer is closed in the end, so that a
    // failing test ends instead of hanging. The limit is generous: a file
    // dialog on a busy machine may read its folder for seconds.
    QDeadlineTimer giveUp;
    QPointer<QWidget> answering; // the dialog the deadline is for
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (modal != answering) {
                answering = modal;
                giveUp.setRemainingTime(ModalAnswerLimitMs);
            }
            if (giveUp.hasExpired()) {
                seen << modal->objectName();
                answering = nullptr;
                modal->close();
                return;
            }
            // An answer may ask to wait (false): the dialog is not ready yet.
            if constexpr (std::is_same_v<decltype(answer(modal)), bool>) {
                if (!answer(modal)) return;
            } else {
                answer(modal);
            }
            seen << modal->objectName();
            answering = nullptr;
        }
    });
    watcher.start();
    action();
    return seen;
}

// An answer for file dialogs: choose `path` (empty: cancel). Other dialogs
// are answered with `accept` (true: "Ja").
inline auto chooseFile(const QString& path, bool accept = true) {
    return [path, accept](QWidget* modal) -> bool {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (auto* files = qobject_cast<QFileDialog*>(modal); files && !path.isEmpty()) {
            // Typed into the name field, as a user would.
            files->setDirectory(QFileInfo(path).absolutePath());
            if (auto* name = files->findChild<QLineEdit*>("fileNameEdit"))
                name->setText(QFileInfo(path).fileName());
            // A dialog that is still bringing back its last choice (it reads
            // the folder in the background) gets the name again next time.
            // Only the chosen file: the list's selection may still name the last one.
            if (files->selectedFiles() != QStringList{QFileInfo(path).absoluteFilePath()})
                return false;
            static_cast<QDialog*>(files)->accept(); // QFileDialog hides it
        } else if (dialog) {
            accept && !qobject_cast<QFileDialog*>(modal) ? dialog->accept() : dialog->reject();
        } else {
            modal->close();
        }
        return true;
    };
}

// Makes the measurement window's buffer handler stall once, for `seconds`,
// when the run has reached its third barrier: a slow repaint or a message
// box in the middle of a run. Returns whether the stall has happened.
template <typename Window> std::shared_ptr<bool> stallOnceMidRun(Window* window, int seconds) {
    auto stalled = std::make_shared<bool>(false);
    const auto handler = window->AudioIn->OnBufferFilled;
    window->AudioIn->OnBufferFilled = [window, stalled, handler, seconds](char* b, int& size) {
        if (!*stalled && window->Detection.EventCount >= 3) {
            *stalled = true;
            // The stall under test, not a wait for something to happen.
            std::this_thread::sleep_for(std::chrono::seconds(seconds));
        }
        return handler(b, size);
    };
    return stalled;
}

// What a user sees of a window's layout: every shown control lies whole
// inside the window, and none covers another.
inline void expectInsideAndApart(QWidget* window, std::initializer_list<QWidget*> controls) {
    std::vector<std::pair<QWidget*, QRect>> shown;
    for (QWidget* c : controls) {
        if (!c->isVisibleTo(window)) continue;
        // A label shows its text, not the empty rest of its box.
        const auto* label = qobject_cast<QLabel*>(c);
        const QSize size = label ? label->sizeHint().boundedTo(c->size()) : c->size();
        const QRect r(c->mapTo(window, QPoint(0, 0)), size);
        EXPECT_TRUE(window->rect().contains(r))
            << c->objectName().toStdString() << " reaches out of the window";
        shown.emplace_back(c, r);
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i].second.intersects(shown[j].second))
                << shown[i].first->objectName().toStdString() << " covers "
                << shown[j].first->objectName().toStdString();
}

// Driven by hand but named like a sound card: the measurement window's info
// line then names the mixer's card and line.
class CardLikeBackend : public platform::ManualBackend {
public:
    std::string sourceName() const override { return {}; }
};

// The program's windows, started in an empty working folder (where
// kelmot.cfg is looked for) with the mixer and capture back ends of a test.
class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        // Each test's runs are kept in a journal of its own, its settings
        // in a configuration folder of its own.
        previousDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir_.filePath("data")));
        previousConfigHome_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath("config")));
        Store = MeasurementStore{};
        previousReporter_ = errorReporter();
        errorReporter() = [this](QWidget*, const QString& text) { errors << text; };
        QLocale::setDefault(QLocale::c());
    }
    void TearDown() override {
        destroyWindows();
        // "Ende" ends the application's event loop, and that flag would end
        // every later modal loop at once; a finished exec() clears it.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        QDir::setCurrent(previousDir_);
        qputenv("XDG_DATA_HOME", previousDataHome_);
        qputenv("XDG_CONFIG_HOME", previousConfigHome_);
        QLocale::setDefault(QLocale::system());
        // The reporter captured this fixture, which is gone after the test.
        errorReporter() = previousReporter_;
    }

    void writeConfig(const QByteArray& content) {
        QFile f(dir_.filePath("kelmot.cfg"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    void start(std::vector<platform::SimDevice> devices =
                   platform::SimulatedMixerApi::demonstrationDevices(),
               std::shared_ptr<platform::WaveInBackend> capture = nullptr) {
        mixer = std::make_shared<platform::SimulatedMixerApi>(std::move(devices));
        if (!capture) capture = manual;
        createWindows(StartOptions{}, mixer, std::move(capture));
    }

    QTemporaryDir dir_;
    QString previousDir_;
    QByteArray previousDataHome_;
    QByteArray previousConfigHome_;
    ErrorReporter previousReporter_;
    QStringList errors;
    std::shared_ptr<platform::SimulatedMixerApi> mixer;
    std::shared_ptr<platform::ManualBackend> manual = std::make_shared<platform::ManualBackend>();
};

} // namespace kelmot::test
