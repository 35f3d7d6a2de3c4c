// The compiled resource script holds the windows, menu, string, icon and version block.
#include "support/calculator_fixture.h"
#include "support/resource_expectations.h"

namespace {

class ResourcesTest : public DesktopTest {};

TEST_F(ResourcesTest, CalculatorDialog) { ExpectCalculatorDialog(session.Resources()); }
TEST_F(ResourcesTest, UnitsDialog) { ExpectUnitsDialog(session.Resources()); }
TEST_F(ResourcesTest, AboutBox) { ExpectAboutBox(session.Resources()); }
TEST_F(ResourcesTest, MenuAndSystemMenuString) { ExpectMenuAndString(session.Resources()); }
TEST_F(ResourcesTest, IconGroup) { ExpectIconGroup(session.Resources()); }
TEST_F(ResourcesTest, VersionBlock) { ExpectVersionBlock(session.Resources()); }
TEST_F(ResourcesTest, Manifest) { ExpectManifest(session.Resources()); }
TEST_F(ResourcesTest, UsEnglish) { ExpectEveryResourceInUsEnglish(session.Resources()); }


}  // namespace
