#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class TSettings;
class TStartForm;

// Created right after the start window: it hands over to the start window at the first tick of
// its timer, showing the start window (or hiding it in the tray in tray mode), and then closes.
// It is fully transparent, so the start window or the tray icon appears at once.
class TSplashForm : public QWidget
{
    Q_OBJECT

public:
    TSplashForm(TStartForm& startForm, TSettings& settings);

    // "Version 1.2.3 - 1.2.3.40" for the program file's version.
    static QString VersionCaption(const QString& versionText, int major, int minor, int release, int build);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void HandOver();

    TStartForm& FStartForm;
    TSettings& FSettings;
    QLabel* FPicture;
    QLabel* FVersion;
    QTimer FHandOverTimer;
};
