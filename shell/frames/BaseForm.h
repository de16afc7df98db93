#pragma once

#include <QDialog>

class TDBMainInfo;

/// A form of the system: a window holding one record, DBMain (kind 0 when created), which goes with it.
class TBaseForm : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBaseForm)

public:
    explicit TBaseForm(QWidget* parent = nullptr);
    ~TBaseForm() override;

    TDBMainInfo* DBMain() const { return m_dbMain; }

private:
    TDBMainInfo* m_dbMain;
};
