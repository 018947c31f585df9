// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

// The pilot's models, for the window and the command-line tool alike: one
// folder, each model an ordinary parameter file NAME.dat (162 bytes, as
// 保存数据 writes it, so 加载数据 reads it) and beside it NAME.json with what
// a file cannot carry: the name as typed, the aircraft, notes, when it was
// made and changed, and its last write to a transmitter. The file name is
// the typed name made safe for every system, and unique.
//
// Every change is written whole (QSaveFile) under a private name and then
// renamed; a new model's rename never replaces a file, so two programs
// creating at once keep both. A model carries the revision it was read at
// (its files' contents): a change over a model someone else changed or
// removed since is refused as a Conflict, and nothing is written.
class ModelLibrary final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModelLibrary)

public:
    struct Model
    {
        enum class State {
            Ok,      // both files as this program writes them
            NoInfo,  // the .json is missing or garbled: listed from the .dat
            Damaged, // the .dat is no parameter file: listed, never written over
        };
        QString name; // as typed; the file's stem when the .json has none
        QString stem; // the files' name without .dat / .json
        QString datPath;
        QString jsonPath;
        QString aircraft;
        QString notes;
        QDateTime created;
        QDateTime changed;
        QString lastWritePort; // empty: never written to a transmitter
        QDateTime lastWriteTime;
        State state = State::Ok;
        QString damage;      // Damaged: why, for the user
        QByteArray revision; // the files' contents when read
    };

    enum class Status {
        Done,
        Conflict, // changed or removed by someone else since it was read
        Exists,   // a model of that name is there already
        Failed,   // the folder, the disk, a file that is no parameter file
    };

    struct Result
    {
        Status status = Status::Done;
        QString text; // one line for the user; empty when done
        explicit operator bool() const { return status == Status::Done; }
    };

    // Which model the transmitter holds, for a read's account.
    struct Identification
    {
        enum class Kind {
            Same,    // a model holds every value the transmitter reported
            Nearest, // the closest model, some values differ
            None,    // more than half the reported values differ from every model
        };
        Kind kind = Kind::None;
        std::optional<Model> model; // Same, Nearest
        int differences = 0;
        int compared = 0; // the values compared with that model
        QString text;     // "发射机中的参数与模型「Cub 1.2m」一致"
    };

    // K6QX_MODELS_DIR when set, else "k6qx/models" in the user's documents folder.
    static QString defaultFolder();

    explicit ModelLibrary(const QString &folder = defaultFolder(), QObject *parent = nullptr);

    QString folder() const { return m_folder; }
    // The templates: a library of its own in templates/ under the folder.
    QString templatesFolder() const;
    // Deleted models wait here until restored or purged.
    QString deletedFolder() const;

    // Every model of the folder (a .dat of an ordinary name), by name.
    QList<Model> models() const;
    // The models deleted, by name.
    QList<Model> deleted() const;

    // The model of that name: exactly, else case-insensitively (never by a
    // prefix). Several matches are Failed, naming them and their files.
    std::optional<Model> find(const QString &name, Result *result = nullptr) const;
    // The model's files as they stand now: a model changed by someone else
    // since m was read has another revision. Empty when the .dat is gone.
    QByteArray currentRevision(const Model &m) const;
    bool isCurrent(const Model &m) const { return currentRevision(m) == m.revision; }

    // The values of a model: the starting values, then what its file carries.
    bool load(const Model &m, MapParamAccess *values, QString *error) const;

    // A new model; a name already in the library (case-insensitively) is
    // Exists. The file name is chosen at the moment of writing.
    Result create(const QString &name, const ParamAccess &values, Model *created = nullptr,
                  const QString &aircraft = QString(), const QString &notes = QString());
    // New values for a model, over the revision it was read at; *m is
    // updated to what was written.
    Result save(Model &m, const ParamAccess &values);
    // The name, aircraft and notes of *m as they stand, into its .json.
    Result saveInfo(Model &m);
    // Both files take the new name's file name.
    Result rename(Model &m, const QString &newName);
    Result copy(const Model &m, const QString &newName, Model *created = nullptr);
    // Both files move to the deleted folder.
    Result remove(const Model &m);
    Result restore(const Model &deletedModel, Model *restored = nullptr);
    // Gone for good: a deleted model, or every one with purgeAll.
    Result purge(const Model &deletedModel);
    Result purgeAll();
    // The write that sent the model's values to a transmitter; only the
    // last write changes, whatever else changed since.
    Result recordWrite(Model &m, const QString &port, const QDateTime &time);

    // A parameter file from elsewhere, with its .json when one lies beside
    // it (a pair another library exported); name empty: the .json's name or
    // the file's.
    Result importFile(const QString &path, const QString &name = QString(), Model *created = nullptr);
    // path ending in .dat: the parameter file alone; else the pair
    // path.dat and path.json. An existing file there is replaced.
    Result exportTo(const Model &m, const QString &path) const;

    // The nearest model by the values the transmitter reported (the groups
    // given); damaged models are skipped.
    Identification identify(const ParamAccess &answer, const QList<quint8> &groupsReported) const;

    // The typed name as a file name every system accepts (no reserved
    // names or characters, no trailing dot or space); not yet unique.
    static QString safeStem(const QString &name);

signals:
    // After any change this object made to the folder.
    void changed();

private:
    Model readModel(const QString &datPath) const;
    QList<Model> scan(const QString &folder) const;
    Result writeNew(const QString &name, const QByteArray &dat, const Model &info, Model *created);
    Result failed(const QString &text) const;
    Result conflict(const Model &m) const;

    QString m_folder;
};
