#pragma once
// Writing to shared storage asks the platform first: some platforms want the request explained
// (the rationale step) before they answer with one result per permission asked for. A desktop
// grants at once.

#include <QList>
#include <QStringList>

#include <functional>

namespace sp::frame {

inline const QString kStorageWritePermission = QStringLiteral("WRITE_EXTERNAL_STORAGE");

class StoragePermission {
public:
    using Rationale = std::function<void(const QStringList& permissions)>;
    using Result = std::function<void(const QList<bool>& granted)>;

    virtual ~StoragePermission() = default;
    // Asks for the storage-write permission; `result` is called once with the answers.
    virtual void requestStorageWrite(const Rationale& rationale, const Result& result) = 0;
};

class DesktopStoragePermission : public StoragePermission {
public:
    void requestStorageWrite(const Rationale&, const Result& result) override { result({true}); }
};

} // namespace sp::frame
