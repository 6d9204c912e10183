#pragma once

// Where pictures, videos and reports go and what they are called. Callers never build
// these paths themselves.

#include <QString>

class QWidget;

/// "yyyyMMdd-hhmmss-zzz" of the current moment (Clock::now()).
QString timeStamp();

QString defaultImageFolder();
QString defaultReportFolder();

/// The picture (and video) folder from the preferences; created if missing.
QString captureFolder();
/// The report folder from the preferences; created if missing.
QString reportFolder();
void setReportFolder(const QString& folder);

/// A new picture path, or an empty text when the user cancels the dialog.
QString imageFilePath(bool showDialog, QWidget* parent);
QString videoFilePath(bool showDialog, QWidget* parent);
QString reportFilePath(bool showDialog, QWidget* parent);

QString imageFileFilters();
QString allSupportedImageFilter();
QString videoFileFilters();
QString reportFileFilter();

/// The picture-dialog filter to preselect for a format such as "png", or an empty text.
QString filterForFormat(const QString& format);
