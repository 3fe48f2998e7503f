// A clang plugin for scripts/msvc-check.py: three things MSVC says at /W4 that clang has
// no warning for, each an error in the project's own code (not in system headers).
//   C4459  a local variable or parameter hides a variable or function of an enclosing
//          namespace or of the global one (clang's -Wshadow sees variables of the same
//          namespace only, never functions)
//   C4706  an assignment used as a truth value, also in parentheses, under !, && or ||
//   C4245  a negative constant converted to an unsigned type
#include "clang/AST/ASTConsumer.h"
#include "clang/AST/RecursiveASTVisitor.h"
#include "clang/Frontend/CompilerInstance.h"
#include "clang/Frontend/FrontendPluginRegistry.h"

using namespace clang;

namespace {

class Visitor : public RecursiveASTVisitor<Visitor> {
public:
    explicit Visitor(ASTContext& context) : context_(context) {}

    bool VisitVarDecl(VarDecl* local) {
        const auto* function = dyn_cast_or_null<FunctionDecl>(local->getParentFunctionOrMethod());
        if (!local->isLocalVarDeclOrParm() || !local->getIdentifier() || !function || !function->hasBody()) {
            return true;
        }
        for (const DeclContext* scope = function->getParent(); scope; scope = scope->getParent()) {
            if (!scope->isFileContext()) continue;
            for (const NamedDecl* hidden : scope->lookup(local->getDeclName())) {
                if (isa<VarDecl, FunctionDecl, FunctionTemplateDecl>(hidden->getUnderlyingDecl())) {
                    return Report(local->getLocation(), "C4459: declaration of '%0' hides global declaration",
                                  local->getName());
                }
            }
        }
        return true;
    }

    bool VisitIfStmt(IfStmt* s) { return Condition(s->getCond()); }
    bool VisitWhileStmt(WhileStmt* s) { return Condition(s->getCond()); }
    bool VisitDoStmt(DoStmt* s) { return Condition(s->getCond()); }
    bool VisitForStmt(ForStmt* s) { return Condition(s->getCond()); }
    bool VisitConditionalOperator(ConditionalOperator* e) { return Condition(e->getCond()); }

    bool VisitImplicitCastExpr(ImplicitCastExpr* cast) {
        Expr::EvalResult value;
        const Expr* from = cast->getSubExpr();
        if (cast->getCastKind() == CK_IntegralCast && !cast->isPartOfExplicitCast() && !cast->isValueDependent() &&
            cast->getType()->isUnsignedIntegerType() && from->getType()->isSignedIntegerType() &&
            from->EvaluateAsInt(value, context_) && value.Val.getInt().isNegative()) {
            return Report(cast->getExprLoc(), "C4245: a negative constant converted to '%0'",
                          cast->getType().getAsString());
        }
        return true;
    }

private:
    bool Condition(const Expr* e) {
        if (!e) return true;
        e = e->IgnoreParenImpCasts();
        const auto* no = dyn_cast<UnaryOperator>(e);
        if (no && no->getOpcode() == UO_LNot) return Condition(no->getSubExpr());
        if (const auto* op = dyn_cast<BinaryOperator>(e)) {
            if (op->isLogicalOp()) return Condition(op->getLHS()) && Condition(op->getRHS());
            if (op->isAssignmentOp()) {
                return Report(op->getOperatorLoc(), "C4706: assignment within conditional expression");
            }
        }
        return true;
    }

    // In a macro from a system header (OBJID_CLIENT), the place the project wrote it.
    template <unsigned N>
    bool Report(SourceLocation at, const char (&text)[N], StringRef argument = {}) {
        at = context_.getSourceManager().getFileLoc(at);
        if (!context_.getSourceManager().isInSystemHeader(at)) {
            DiagnosticsEngine& diagnostics = context_.getDiagnostics();
            auto report = diagnostics.Report(at, diagnostics.getCustomDiagID(DiagnosticsEngine::Error, text));
            if (!argument.empty()) report << argument;
        }
        return true;
    }

    ASTContext& context_;
};

struct Consumer : ASTConsumer {
    void HandleTranslationUnit(ASTContext& context) override { Visitor(context).TraverseAST(context); }
};

struct Action : PluginASTAction {
    std::unique_ptr<ASTConsumer> CreateASTConsumer(CompilerInstance&, StringRef) override {
        return std::make_unique<Consumer>();
    }
    bool ParseArgs(const CompilerInstance&, const std::vector<std::string>&) override { return true; }
    ActionType getActionType() override { return AddAfterMainAction; }
};

FrontendPluginRegistry::Add<Action> registered("msvc-w4", "what MSVC says at /W4 that clang does not");

}  // namespace
