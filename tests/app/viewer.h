#pragma once

// A main window started as the program starts it, with a recording message
// box and its own settings file.

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "framework/controls/nonvisual.h"
#include "framework/platform.h"
#include "loader/dfmview.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>

#include <memory>

inline QString testData(const QString &name)
{
    return QStringLiteral(VANTOR_APP_TEST_DATA "/") + name;
}

class Viewer
{
public:
    // `arguments` as main() passes them (without the program).
    explicit Viewer(const QStringList &arguments, const std::string &settingsFile = {})
        : m_messages(&recorder)
    {
        vantor::setWindowSettingsFile(settingsFile.empty() ? m_dir.filePath("Vantor.ini").toStdString()
                                                           : settingsFile);
        vantor::setCommandLineArguments(arguments);
        window = std::make_unique<vantor::TF_FMXWindowDisplay>(nullptr);
    }
    ~Viewer()
    {
        window.reset();
        vantor::setWindowSettingsFile({});
    }

    // Shows the window and waits for the first presentation.
    void showAndWaitForFirstLoad()
    {
        window->ShowMainWindow();
        QElapsedTimer clock;
        clock.start();
        while (window->Timer1->Enabled() && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    vantor::TDFMView &view() { return window->DFMView(); }

    vantor::RecordingMessageBoxService recorder;
    QTemporaryDir m_dir;
    std::unique_ptr<vantor::TF_FMXWindowDisplay> window;

private:
    vantor::ScopedMessageBox m_messages;
};
