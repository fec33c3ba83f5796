#include "AtomicFile.h"

#include "AppError.h"

AtomicFile::AtomicFile(const QString& path, Failure failure) : path_(path), failure_(std::move(failure)), file_(path)
{
    if (!file_.open(QIODevice::WriteOnly)) fail(file_.errorString());
}

void AtomicFile::write(const std::string& bytes) { write(bytes.data(), static_cast<qint64>(bytes.size())); }

void AtomicFile::write(const char* bytes, qint64 size)
{
    if (file_.write(bytes, size) != size) fail(file_.errorString());
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
