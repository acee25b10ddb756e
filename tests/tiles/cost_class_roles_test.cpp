// The cost classes of the faction analysis are named as the status bar names the roles of their codes.

#include "MovementRules.h"
#include "TileRoles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>

namespace tav {
namespace {

std::string RoleOf(int code) {
    const auto role = std::find_if(std::begin(TileRoles), std::end(TileRoles),
                                   [code](const TileRole& r) { return code >= r.First && code <= r.Last; });
    return role == std::end(TileRoles) ? std::string() : std::string(role->Name);
}

TEST(CostClassRoles, EachOpenCodesClassCarriesTheNameOfItsRole) {
    std::set<std::string> classesSeen;
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        const std::string role = RoleOf(code);
        ASSERT_FALSE(role.empty());
        const std::optional<CostClass> costClass = CostClassOf(static_cast<TileCode>(code));
        if (costClass) {
            classesSeen.insert(std::string(CostClassName(*costClass)));
            // The gate alone has a role of its own and is priced with its castle.
            EXPECT_EQ(code == 29 ? "城" : role, CostClassName(*costClass));
            if (code == 29) {
                EXPECT_EQ(role, "城門");
            }
            continue;
        }
        // A code blocked by nature: its role is a class only when the role also has open codes (the single
        // tiles); otherwise a cost file naming it is told that it is blocked by nature.
        if (CostClassNamed(role))
            continue;
        const CostFileResult priced = ParseMovementCosts(role + " 2\n");
        EXPECT_EQ(priced.Error, CostFileError::BlockedByNature) << role;
    }
    EXPECT_EQ(classesSeen.size(), static_cast<std::size_t>(CostClassCount));
    // The gate's role is refused with its own reason.
    EXPECT_EQ(ParseMovementCosts(RoleOf(29) + " 2\n").Error, CostFileError::GateRole);
}

} // namespace
} // namespace tav
