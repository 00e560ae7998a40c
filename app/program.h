#pragma once

#include "app/startoptions.h"

#include <QString>
#include <functional>

class QWidget;

namespace kelmot {

// How an error that ends a command reaches the user: a message box, as the
// runtime shows it. Tests replace it to read the text.
using ErrorReporter = std::function<void(QWidget* parent, const QString& text)>;
ErrorReporter& errorReporter();
void reportError(QWidget* parent, const QString& text);

// Creates the windows in their fixed order, each running its creation
// handler: Form1 (main), Form2, Form3, Form4, Form5, AboutBox, Form6, Form7,
// Form8, Form9. They live until destroyWindows.
void createWindows(const StartOptions& options);
// The same with the mixer and capture back ends given (tests, demonstrations).
void createWindows(const StartOptions& options, std::shared_ptr<platform::MixerApi> mixer,
                   std::shared_ptr<platform::WaveInBackend> capture);
void destroyWindows();

} // namespace kelmot
