#include "common/ResizeControlsModule.h"
#include "platform/FlexGrid.h"
#include "core/Session.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <gtest/gtest.h>

using namespace wvs;

TEST(ResizeControls, FactorsCountHalfTheExcessOverTheDesignScreen)
{
    ResizeFactors f = resizeFactorsFor(1024, 768);
    EXPECT_FLOAT_EQ(f.horizontal, 1.0f);
    EXPECT_FLOAT_EQ(f.vertical, 1.0f);

    f = resizeFactorsFor(1280, 1024);   // effective 1152 x 896
    EXPECT_FLOAT_EQ(f.horizontal, 1.125f);
    EXPECT_FLOAT_EQ(f.vertical, 896.0f / 768.0f);

    f = resizeFactorsFor(800, 600);     // smaller screens shrink in full
    EXPECT_FLOAT_EQ(f.horizontal, 0.78125f);
    EXPECT_FLOAT_EQ(f.vertical, 0.78125f);

    // Half an odd excess rounds to even: 1025 stays 1025, 1027 becomes 1025.
    EXPECT_FLOAT_EQ(resizeFactorsFor(1025, 768).horizontal, 1025.0f / 1024.0f);
    EXPECT_FLOAT_EQ(resizeFactorsFor(1027, 768).horizontal, 1025.0f / 1024.0f);
}

TEST(ResizeControls, StoresTheFactorAndScalesWindowAndPlacedControls)
{
    resetSession();
    session().resizeFactor = 0;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const ResizeFactors f = resizeFactorsFor(screen.width(), screen.height());

    QWidget window;
    window.resize(400, 300);
    auto *combo = new QComboBox(&window);
    combo->setObjectName("SuburbCombo");
    combo->setGeometry(100, 100, 200, 30);
    auto *parked = new QLineEdit(&window);   // on a hidden page, far to the left
    parked->setObjectName("HiddenPageText");
    parked->setGeometry(-4900, 40, 200, 40);

    ResizeControls(&window);
    EXPECT_FLOAT_EQ(float(session().resizeFactor), f.horizontal);
    EXPECT_EQ(window.width(), qRound(400 * f.horizontal));
    EXPECT_EQ(window.height(), qRound(300 * f.vertical));
    EXPECT_EQ(combo->width(), qRound(200 * f.horizontal));
    EXPECT_EQ(combo->height(), 30);
    EXPECT_LT(parked->x(), -4000);

    // Grid columns follow the stored factor.
    FlexGrid grid;
    grid.setCols(2);
    grid.setColWidth(1, 1000);
    EXPECT_EQ(grid.colWidthTwips(1), qRound(1000 * session().resizeFactor));
    resetSession();
}
