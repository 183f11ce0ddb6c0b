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
    case StmtKind::DeclareTable:
        return "table variables";
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
    std::vector<Instruction> run(const StmtList& statements) {
        compileList(statements);
        for (auto& [index, label] : gotos_) {
            auto it = labels_.find(label);
            if (it == labels_.end())
                throw SqlError(133, 15, 1,
                               "A GOTO statement references the label '" + label +
                                   "' but the label has not been declared.");
            code_[index].target = it->second;
        }
        return std::move(code_);
    }

private:
    struct Loop {
        std::size_t top;
        std::vector<std::size_t> breaks;
    };

    std::size_t emit(Instruction i) {
        code_.push_back(i);
        return code_.size() - 1;
    }

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
            const std::size_t test = emit({InstructionOp::JumpIfNot, &s, i.condition.get(), 0});
            compile(*i.thenBranch);
            if (i.elseBranch) {
                const std::size_t skip = emit({InstructionOp::Jump, &s, nullptr, 0});
                code_[test].target = code_.size();
                compile(*i.elseBranch);
                code_[skip].target = code_.size();
            } else {
                code_[test].target = code_.size();
            }
            return;
        }
        case StmtKind::While: {
            const auto& w = s.as<WhileStmt>();
            loops_.push_back({code_.size(), {}});
            const std::size_t test = emit({InstructionOp::JumpIfNot, &s, w.condition.get(), 0});
            compile(*w.body);
            emit({InstructionOp::Jump, &s, nullptr, loops_.back().top});
            code_[test].target = code_.size();
            for (std::size_t b : loops_.back().breaks)
                code_[b].target = code_.size();
            loops_.pop_back();
            return;
        }
        case StmtKind::Break:
        case StmtKind::Continue: {
            if (loops_.empty())
                throw SqlError(135, 15, 1,
                               "Cannot use a BREAK statement outside the scope of a WHILE statement.");
            const std::size_t j = emit({InstructionOp::Jump, &s, nullptr, loops_.back().top});
            if (s.kind == StmtKind::Break)
                loops_.back().breaks.push_back(j);
            return;
        }
        case StmtKind::Goto:
            gotos_.emplace_back(emit({InstructionOp::Jump, &s, nullptr, 0}),
                                foldName(s.as<LabelStmt>().label.name));
            return;
        case StmtKind::Label:
            labels_[foldName(s.as<LabelStmt>().label.name)] = code_.size();
            return;
        case StmtKind::Return:
            if (s.as<ReturnStmt>().value)
                throw SqlError(178, 15, 1,
                               "A RETURN statement with a return value cannot be used in this context.");
            emit({InstructionOp::Return, &s, nullptr, 0});
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
        case StmtKind::Permission:
            emit({InstructionOp::Run, &s, nullptr, 0});
            return;
        default:
            refuse(statementName(s.kind));
        }
    }

    std::vector<Instruction> code_;
    std::vector<Loop> loops_;
    std::map<std::string, std::size_t> labels_;
    std::vector<std::pair<std::size_t, std::string>> gotos_;
};

} // namespace

std::vector<Instruction> compileInstructions(const StmtList& statements) {
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
    return Compiler().run(statements);
}

} // namespace tsql
