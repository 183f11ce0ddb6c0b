#pragma once
// A batch's or module's control flow as a flat list of instructions: IF, WHILE, BREAK, CONTINUE,
// GOTO, RETURN and TRY...CATCH become jumps and ranges, so that any statement can jump to any label.

#include "tsql/syntax/Ast.h"

#include <cstddef>
#include <vector>

namespace tsql {

enum class InstructionOp {
    Run,       // run `statement`
    JumpIfNot, // evaluate the condition of `statement` (an IF or WHILE); jump unless it is true
    Jump,
    Return,   // `statement` is the RETURN (its value, if any, is the module's result)
    EndCatch, // the end of a CATCH block: the error it handled is no longer current
};

struct Instruction {
    InstructionOp op = InstructionOp::Run;
    const Stmt* statement = nullptr;
    std::size_t target = 0;
};

// An error raised by an instruction in [begin, end) continues at `handler` (a CATCH block).
struct TryRange {
    std::size_t begin = 0, end = 0, handler = 0;
};

struct InstructionList {
    std::vector<Instruction> code;
    std::vector<TryRange> tries; // inner ranges after the outer ones that contain them
};

// Flattens the statements. `inModule`: RETURN may carry a value (procedures and functions).
// Throws SqlError for statements the engine does not run yet and for misplaced BREAK, GOTO,
// RETURN or CREATE of a module, before anything of the batch has run.
InstructionList compileInstructions(const StmtList& statements, bool inModule = false);

} // namespace tsql
