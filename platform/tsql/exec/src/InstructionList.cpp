#include "InstructionList.h"

#include "tsql/binder/Binder.h"
#include "tsql/binder/Names.h"

#include "tsql/SqlError.h"

#include <map>
#include <string>

namespace tsql {
namespace {

std::string_view statementName(StmtKind kind) {
    switch (kind) {
    case StmtKind::Merge:
        return "MERGE";
    case StmtKind::Truncate:
        return "TRUNCATE TABLE";
    case StmtKind::DeclareCursor:
    case StmtKind::OpenCursor:
    case StmtKind::CloseCursor:
    case StmtKind::DeallocateCursor:
    case StmtKind::Fetch:
        return "cursors";
    case StmtKind::TryCatch:
        return "TRY...CATCH";
    case StmtKind::Throw:
        return "THROW";
    case StmtKind::ExecProcedure:
        return "EXECUTE of a procedure";
    case StmtKind::ExecString:
        return "EXECUTE of a string";
    case StmtKind::Use:
        return "USE";
    case StmtKind::AlterTable:
        return "ALTER TABLE";
    case StmtKind::CreateIndex:
        return "CREATE INDEX";
    case StmtKind::CreateView:
        return "CREATE VIEW";
    case StmtKind::CreateProcedure:
        return "CREATE PROCEDURE";
    case StmtKind::CreateFunction:
        return "CREATE FUNCTION";
    case StmtKind::CreateTrigger:
        return "CREATE TRIGGER";
    case StmtKind::EnableTrigger:
        return "ENABLE and DISABLE TRIGGER";
    case StmtKind::Permission:
        return "GRANT, DENY and REVOKE";
    default:
        return "this statement";
    }
}

class Compiler {
public:
    explicit Compiler(bool inModule) : inModule_(inModule) {}

    InstructionList run(const StmtList& statements) {
        compileList(statements);
        for (auto& [index, label] : gotos_) {
            auto it = labels_.find(label);
            if (it == labels_.end())
                throw SqlError(133, 15, 1,
                               "A GOTO statement references the label '" + label +
                                   "' but the label has not been declared.");
            out_.code[index].target = it->second;
        }
        return std::move(out_);
    }

private:
    struct Loop {
        std::size_t top;
        std::vector<std::size_t> breaks;
    };

    std::size_t emit(Instruction i) {
        out_.code.push_back(i);
        return out_.code.size() - 1;
    }
    std::size_t here() const { return out_.code.size(); }
    Instruction& at(std::size_t i) { return out_.code[i]; }

    void compileList(const StmtList& statements) {
        for (const auto& s : statements)
            compile(*s);
    }

    void compile(const Stmt& s) {
        switch (s.kind) {
        case StmtKind::Block:
            compileList(s.as<BlockStmt>().body);
            return;
        case StmtKind::If: {
            const auto& i = s.as<IfStmt>();
            const std::size_t test = emit({InstructionOp::JumpIfNot, &s, 0});
            compile(*i.thenBranch);
            if (i.elseBranch) {
                const std::size_t skip = emit({InstructionOp::Jump, &s, 0});
                at(test).target = here();
                compile(*i.elseBranch);
                at(skip).target = here();
            } else {
                at(test).target = here();
            }
            return;
        }
        case StmtKind::While: {
            const auto& w = s.as<WhileStmt>();
            loops_.push_back({here(), {}});
            const std::size_t test = emit({InstructionOp::JumpIfNot, &s, 0});
            compile(*w.body);
            emit({InstructionOp::Jump, &s, loops_.back().top});
            at(test).target = here();
            for (std::size_t b : loops_.back().breaks)
                at(b).target = here();
            loops_.pop_back();
            return;
        }
        case StmtKind::TryCatch: {
            const auto& t = s.as<TryCatchStmt>();
            const std::size_t range = out_.tries.size();
            out_.tries.push_back({here(), 0, 0});
            compileList(t.tryBody);
            out_.tries[range].end = here();
            const std::size_t skip = emit({InstructionOp::Jump, &s, 0});
            out_.tries[range].handler = here();
            compileList(t.catchBody);
            emit({InstructionOp::EndCatch, &s, 0});
            at(skip).target = here();
            return;
        }
        case StmtKind::Break:
        case StmtKind::Continue: {
            if (loops_.empty())
                throw SqlError(135, 15, 1,
                               "Cannot use a BREAK statement outside the scope of a WHILE statement.");
            const std::size_t j = emit({InstructionOp::Jump, &s, loops_.back().top});
            if (s.kind == StmtKind::Break)
                loops_.back().breaks.push_back(j);
            return;
        }
        case StmtKind::Goto:
            gotos_.emplace_back(emit({InstructionOp::Jump, &s, 0}), foldName(s.as<LabelStmt>().label.name));
            return;
        case StmtKind::Label:
            labels_[foldName(s.as<LabelStmt>().label.name)] = here();
            return;
        case StmtKind::Return:
            if (s.as<ReturnStmt>().value && !inModule_)
                throw SqlError(178, 15, 1,
                               "A RETURN statement with a return value cannot be used in this context.");
            emit({InstructionOp::Return, &s, 0});
            return;
        case StmtKind::Select:
        case StmtKind::Insert:
        case StmtKind::Update:
        case StmtKind::Delete:
        case StmtKind::DeclareVariables:
        case StmtKind::SetVariable:
        case StmtKind::SetOption:
        case StmtKind::Print:
        case StmtKind::Raiserror:
        case StmtKind::Transaction:
        case StmtKind::CreateTable:
        case StmtKind::Drop:
        case StmtKind::Truncate:
        case StmtKind::CreateView:
        case StmtKind::CreateProcedure:
        case StmtKind::CreateFunction:
        case StmtKind::Permission:
        case StmtKind::AlterTable:
        case StmtKind::CreateIndex:
        case StmtKind::CreateTrigger:
        case StmtKind::EnableTrigger:
        case StmtKind::DeclareTable:
        case StmtKind::ExecProcedure:
        case StmtKind::ExecString:
        case StmtKind::DeclareCursor:
        case StmtKind::OpenCursor:
        case StmtKind::CloseCursor:
        case StmtKind::DeallocateCursor:
        case StmtKind::Fetch:
            emit({InstructionOp::Run, &s, 0});
            return;
        default:
            refuse(statementName(s.kind));
        }
    }

    bool inModule_;
    InstructionList out_;
    std::vector<Loop> loops_;
    std::map<std::string, std::size_t> labels_;
    std::vector<std::pair<std::size_t, std::string>> gotos_;
};

} // namespace

InstructionList compileInstructions(const StmtList& statements, bool inModule) {
    // A module's CREATE must stand alone at the head of its batch.
    for (std::size_t i = 0; i < statements.size(); ++i) {
        const StmtKind k = statements[i]->kind;
        const char* what = k == StmtKind::CreateView        ? "CREATE VIEW"
                           : k == StmtKind::CreateProcedure ? "CREATE PROCEDURE"
                           : k == StmtKind::CreateFunction  ? "CREATE FUNCTION"
                           : k == StmtKind::CreateTrigger   ? "CREATE TRIGGER"
                                                            : nullptr;
        if (what && (i > 0 || statements.size() > 1))
            throw SqlError(111, 15, 1,
                           std::string("'") + what + "' must be the first statement in a query batch.");
    }
    return Compiler(inModule).run(statements);
}

} // namespace tsql
