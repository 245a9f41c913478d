#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One row of OperList as the screens see it; the stored password never leaves
// the store.
struct OperatorRecord
{
    qint64 id = 0;
    QString name;
    QString mem;
    bool disabled = false; // F_Flag
    bool ownOnly = false; // F_xtFlag
};

// What the operator editor saves.
struct OperatorInput
{
    QString name; // as typed; trimmed when saved
    QString password; // first password box, untrimmed
    QString confirm; // second password box
    QString mem;
    bool disabled = false;
    bool ownOnly = false;
    QStringList grants; // catalogue labels, in list order
};

// The rules and statements of operators, their passwords and their grants.
class OperatorStore
{
public:
    enum class SaveResult { Saved, EmptyName, NameTooLong, PasswordMismatch, Duplicate, Failed };

    static bool isAdministrator(const QString &name);

    // Statement of the operator list; disabled operators only when asked for.
    static QString listSql(bool showDisabled);
    static std::optional<OperatorRecord> byId(qint64 id);
    // F_ID of the operator with this name (letter case ignored), 0 when none.
    static qint64 idOfName(const QString &name);

    // Labels of the permissions the editor offers (Limits.F_flag), in table order.
    static QStringList offeredPermissions();
    static QStringList grantsOf(const QString &name);

    static int nameLimit();

    // Adds an operator (id 0) or changes one. When changing, empty password
    // boxes keep the stored password. Grants are rewritten under the saved
    // name and leave any former name. One transaction; nothing is written
    // unless Saved. savedId receives the row's F_ID.
    static SaveResult save(qint64 id, const OperatorInput &input, qint64 *savedId = nullptr);

    // Removes the operator and his grants together.
    static bool remove(qint64 id);

    // Checks the old password of the named operator and stores the new one.
    enum class PasswordResult { Changed, NoOperator, WrongOld, Mismatch, Failed };
    static PasswordResult changePassword(
        const QString &name, const QString &oldPassword, const QString &newPassword, const QString &repeated);
};
