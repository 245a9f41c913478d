#pragma once

#include "Reports.h"

#include <QDialog>
#include <memory>

namespace Ui {
class TFrmReportGl;
}

// The report chooser: the main window's documents, to preview or design.
class TFrmReportGl : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmReportGl(const Reports::MainSources &sources, QWidget *parent = nullptr);
    ~TFrmReportGl() override;

    // Template of a list item; empty for the blank last item.
    static QString templateOf(int index);

    void design(); // Button3
    void preview(); // Button4

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString selectedTemplate() const;

    std::unique_ptr<Ui::TFrmReportGl> ui;
    Reports::MainSources m_sources;
};
