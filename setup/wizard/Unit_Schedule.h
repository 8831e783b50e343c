#pragma once
// The setup wizard. For now a plain window of the wizard's size and caption; closing it ends
// setup by closing the backdrop.
#include "toolkit/form.h"

class TFormSchedule : public ui::Form {
  public:
    explicit TFormSchedule(ui::App& app);

  private:
    void FormCreate();
    void FormClose();
    void OnClose() override { FormClose(); }
};

extern TFormSchedule* FormSchedule;
