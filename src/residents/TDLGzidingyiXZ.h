#pragma once

#include <QDialog>

namespace Ui {
class TDLGzidingyiXZ;
}

// Asks for an age range; the last one confirmed is kept in Config.ini.
class TDLGzidingyiXZ : public QDialog
{
    Q_OBJECT
public:
    explicit TDLGzidingyiXZ(QWidget *parent = nullptr);
    ~TDLGzidingyiXZ() override;

    int minAge() const;
    int maxAge() const;

    // True with the two ages (then also written back as iMin / iMax).
    static bool AskAgeBand(int &min, int &max, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    void confirm();

    Ui::TDLGzidingyiXZ *ui;
};
