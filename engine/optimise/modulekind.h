#pragma once
// Which module window an optimisation page belongs to. The page, its option table, its result
// columns, its files and its candidates all follow from this one choice, made when the page is
// made.

namespace sp::optimise {

enum class ModuleKind {
    Module1 = 1, // one layer, side and end resistance together through ζr
    Module2 = 2, // side and end resistance apart, through the rock-layer grid; no concrete, no Rc
    Module3 = 3, // module 1 with the equivalent-diameter method and the compliance verdict
};

} // namespace sp::optimise
