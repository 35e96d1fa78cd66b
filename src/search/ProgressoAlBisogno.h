#pragma once

// Progress that appears only when the run has something to show: a search usually finds the index
// current and ends in a moment, without a progress window flashing by.

#include "store/Dialogs.h"

class ProgressoAlBisogno : public Progress {
public:
    ProgressoAlBisogno(Dialogs& dialogs, QString titolo) : dialogs_(dialogs), titolo_(std::move(titolo)) {}
    ~ProgressoAlBisogno() override {
        if (reale_)
            dialogs_.endProgress();
    }
    ProgressoAlBisogno(const ProgressoAlBisogno&) = delete;
    ProgressoAlBisogno& operator=(const ProgressoAlBisogno&) = delete;

    void setRange(qint64 total) override { reale().setRange(total); }
    void setValue(qint64 done) override { reale().setValue(done); }
    void setLabel(const QString& text) override { reale().setLabel(text); }
    void keepAlive() override {
        if (reale_)
            reale_->keepAlive();
    }

private:
    Progress& reale() {
        if (!reale_)
            reale_ = &dialogs_.progress(titolo_);
        return *reale_;
    }

    Dialogs& dialogs_;
    QString titolo_;
    Progress* reale_ = nullptr;
};
