#pragma once

// The start-up window: title, version and platform; a click hides it.

#include <QWidget>

class frmSplash : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
