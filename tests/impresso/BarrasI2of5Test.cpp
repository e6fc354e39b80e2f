#include "bolix/impresso/BarrasI2of5.h"

#include <gtest/gtest.h>

using namespace bolix;

namespace {

// 44 digits at 1/100 inch and 1:3 make the 103 mm the banks' readers are set for.
TEST(BarrasI2of5, TemAsMedidasDoPadraoBancario) {
    const QPointF origem(15.0, 200.0);
    const QList<QRectF> barras = barrasI2of5(u"00191101600001234560000001234567000000008917", origem);
    ASSERT_EQ(barras.size(), 114);
    EXPECT_EQ(barras.first(), QRectF(15.0, 200.0, 0.254, 13.0)); // start: narrow bar, narrow space...
    EXPECT_DOUBLE_EQ(barras[1].left(), 15.0 + 2 * 0.254);
    EXPECT_NEAR(barras.last().right() - origem.x(), 405 * 0.254, 1e-9);
    EXPECT_DOUBLE_EQ(barras[barras.size() - 2].width(),
                     3 * 0.254); // stop: wide bar, narrow space, narrow bar
    for (const QRectF &b : barras) {
        EXPECT_DOUBLE_EQ(b.height(), 13.0);
        EXPECT_TRUE(b.width() == 0.254 || b.width() == 3 * 0.254) << b.width();
    }
}

} // namespace
