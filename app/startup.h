#pragma once

// The steps of start-up that main() runs in order. Each is its own function so tests can run
// them without starting the whole program.

#include <QString>

#include <memory>
#include <vector>

class QApplication;
class QTranslator;

namespace vrx {
class I18n;
}

/// Documents folder + "<application name> Files/log/<executable base name>.log", native separators.
QString logFilePath(const QString& executablePath);

/// Creates the log folder, opens the rotating log file and writes the first line.
void startLogging(const QString& executablePath);

/// Installs the dark blue style with its style sheet when `theme` is "darkblue" in any letter case.
/// Returns whether it did.
bool applyTheme(QApplication& app, const QString& theme);

/// Icon theme "light-blue", with the program's own icons as the last fallback path.
void setupIconTheme();

/// The default font at 9 points.
void setupApplicationFont(QApplication& app);

/// The translators start-up loads, kept alive until the event loop has ended.
struct Translations
{
    Translations();
    ~Translations();
    std::vector<std::unique_ptr<QTranslator>> translators;
};

/// Loads the library, Qt and application catalogues for the chosen language.
void loadTranslations(vrx::I18n& i18n, Translations& translations);

/// Accept every USB camera.
void installUsbFilter();

/// Whether a window can be shown: a display, or a platform chosen explicitly.
bool haveDisplay(int argc, char** argv);

/// Makes the program's embedded resources available (they live in a static library).
void initResources();
