#include "wizard/pages_na/na_state.h"

namespace wizard::na {

NaState& Na() {
    static NaState state;
    return state;
}

void ResetNa() {
    Na() = NaState{};
}

}  // namespace wizard::na
