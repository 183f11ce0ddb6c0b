#pragma once
// A batch's control flow as a flat list of instructions: IF, WHILE, BREAK, CONTINUE, GOTO and
// RETURN become jumps, so that any statement can jump to any label of the batch.

#include "tsql/syntax/Ast.h"

#include <cstddef>
#include <vector>

namespace tsql {

enum class InstructionOp {
    Run,       // run `statement`
    JumpIfNot, // evaluate `condition` (the statement `statement` owns it); jump unless it is true
    Jump,
    Return,
};

struct Instruction {
    InstructionOp op = InstructionOp::Run;
    const Stmt* statement = nullptr; // Run: the statement; JumpIfNot: the IF or WHILE
    const Expr* condition = nullptr;
    std::size_t target = 0;
};

// Flattens the statements. Throws SqlError 50900 for statements the engine does not run yet, before
// anything of the batch has run.
std::vector<Instruction> compileInstructions(const StmtList& statements);

} // namespace tsql
