#include "support/gui/TestGui.h"

#include "support/GuiTestUtil.h"

void TestGui::cleanup() {
    dopoOgniTest();
    fineTestGui();
}
