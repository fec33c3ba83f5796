#pragma once
// A file written whole or not at all: the bytes go to a temporary file beside it, which
// takes the file's place only once every byte is written and flushed without an error.
// QSaveFile alone is not enough: its commit() reports success when the last flush
// fails (a full disk), and renames the cut-off temporary over the earlier file.
#include <QSaveFile>

#include <functional>
#include <string>

class AtomicFile {
public:
    // The message a failed write throws, from the path and the system's reason.
    using Failure = std::function<std::string(const std::string& path, const std::string& reason)>;

    // Opens the temporary file; fails with the failure's message.
    AtomicFile(const QString& path, Failure failure);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(const std::string& bytes);
    void write(const char* bytes, qint64 size);

    // Flushes and checks what was written so far; fails as commit() does. Files that go
    // together are all finished before the first is committed.
    void finish();
    // Finishes, and only then puts the file in place. On any error the temporary file
    // is removed, the earlier file stays as it was, and it fails.
    void commit();

private:
    // Fails with the failure's message, leaving the earlier file as it was.
    [[noreturn]] void fail(const QString& reason);

    QString path_;
    Failure failure_;
    QSaveFile file_;
};
