// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/startoptions.h"
#include "store/measurementstore.h"
#include "widgets/errorreport.h"

#include <memory>

namespace kelmot {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TAboutBox;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class ClassroomService;
class ClassroomWindow;
class SeriesOfRunsWindow;
class RunJournal;
class RunKeeping;
class MeasurementSession;
class AllRunsWindow;
class FallWindow;
class PendulumWindow;
class PulleyWindow;
class HelpWindow;

// The program's one store and its windows. Only the composition root (this
// folder), `main` and the tests that drive the whole program name them; a
// window is handed what it calls.
extern MeasurementStore Store;
extern TForm1* Form1;
extern TForm2* Form2;
extern TForm3* Form3;
extern TForm4* Form4;
extern TForm5* Form5;
extern TAboutBox* AboutBox;
extern TForm6* Form6;
extern TForm7* Form7;
extern TForm8* Form8;
extern TForm9* Form9;
// The classroom view (off at start).
extern ClassroomService* Classroom;
// The journal of every run and what keeps runs in it.
extern RunJournal* Journal;
extern RunKeeping* Keeping;
// The one measurement every measuring window runs on.
extern MeasurementSession* Session;

// The windows beyond the ten the program starts with: each is made when it
// is first opened and then kept until destroyWindows, so a start costs only
// what the lesson uses. Null before createWindows and after destroyWindows.
ClassroomWindow* classroomWindow();       // "Klassenansicht"
SeriesOfRunsWindow* seriesOfRunsWindow(); // "Messreihe auswerten"
AllRunsWindow* allRunsWindow();           // "Alle Messungen"
FallWindow* fallWindow();                 // "Messen freier Fall"
PendulumWindow* pendulumWindow();         // "Messen Pendel"
PulleyWindow* pulleyWindow();             // "Messen Rad"
HelpWindow* helpWindow();                 // the manual (F1)
enum class LaterWindow { Classroom, SeriesOfRuns, AllRuns, Fall, Pendulum, Pulley, Help };
// Whether that window has been made yet; asking makes nothing.
bool isMade(LaterWindow window);

// Creates the ten windows in their fixed order, each running its creation
// handler: Form1 (main), Form2, Form3, Form4, Form5, AboutBox, Form6, Form7,
// Form8, Form9, then the classroom service, and wires them. They live until
// destroyWindows.
void createWindows(const StartOptions& options);
// The same with the mixer and capture back ends given (tests, demonstrations);
// the free fall's window listens to `fallCapture`, the pendulum's to
// `pendulumCapture` and the pulley's to `pulleyCapture`, or without one to
// `capture`.
void createWindows(const StartOptions& options, std::shared_ptr<platform::MixerApi> mixer,
                   std::shared_ptr<platform::WaveInBackend> capture,
                   std::shared_ptr<platform::WaveInBackend> fallCapture = nullptr,
                   std::shared_ptr<platform::WaveInBackend> pendulumCapture = nullptr,
                   std::shared_ptr<platform::WaveInBackend> pulleyCapture = nullptr);
void destroyWindows();

} // namespace kelmot
