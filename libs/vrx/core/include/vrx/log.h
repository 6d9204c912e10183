#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

namespace vrx {

/// The program's log: Qt's debug, info, warning and critical messages go to a rotating file
/// (and still to standard error). Safe to use from any thread.
///
/// Levels: 0 trace, 1 debug, 2 info, 3 warning, 4 error, 5 critical, 6 off. A message reaches
/// the file when its level is at least the set level.
class Log final
{
public:
    static Log* instance();
    ~Log();

    /// Opens `path` as a rotating file of at most `maxSize` bytes, keeping `maxFiles` files in
    /// all. Returns false, and says why on standard error, when the file cannot be opened.
    bool addFileOut(const QString& path, qint64 maxSize, int maxFiles);
    void setLevel(int level);
    int level() const;
    QString filePath() const;

    /// Writes everything buffered to the file.
    void flush();
    /// Closes the file and gives Qt its own message handler back.
    void shutdown();

    void write(QtMsgType type, const QMessageLogContext& context, const QString& message);

private:
    Log();
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace vrx
