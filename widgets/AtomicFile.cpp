#include "AtomicFile.h"

#include "AppError.h"

#include <cerrno>
#include <cstring>

AtomicFile::AtomicFile(const QString& path, Failure failure) : path_(path), failure_(std::move(failure)), file_(path)
{
    if (!file_.open(QIODevice::WriteOnly)) fail(file_.errorString());
}

void AtomicFile::write(const std::string& bytes) { write(bytes.data(), static_cast<qint64>(bytes.size())); }

void AtomicFile::write(const char* bytes, qint64 size)
{
    // A write that stops short (a full disk) leaves Qt without a reason; the system's
    // error number still holds it.
    errno = 0;
    if (file_.write(bytes, size) == size) return;
    const int error = errno;
    fail(error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : file_.errorString());
}

void AtomicFile::finish()
{
    if (!file_.flush() || file_.error() != QFileDevice::NoError) fail(file_.errorString());
}

void AtomicFile::commit()
{
    finish();
    if (!file_.commit()) fail(file_.errorString());
}

void AtomicFile::fail(const QString& reason)
{
    file_.cancelWriting();
    throw AppError(failure_(path_.toStdString(), reason.toStdString()));
}
