#pragma once
// Header only: the test executables that include it link Qt Test.
#include <QAbstractItemModelTester>
#include <QStringList>
#include <QtGlobal>
#include <memory>

// Qt's model tester over a model for as long as this lives; what it finds is
// collected, not fatal, so that a test can show it. One at a time.
class ModelCheck {
public:
    explicit ModelCheck(QAbstractItemModel *model) {
        s_findings = &m_findings;
        m_previous = qInstallMessageHandler(&ModelCheck::collect);
        m_tester = std::make_unique<QAbstractItemModelTester>(model,
                                                              QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    ~ModelCheck() {
        m_tester.reset();
        qInstallMessageHandler(m_previous);
        s_findings = nullptr;
    }
    ModelCheck(const ModelCheck &) = delete;
    ModelCheck &operator=(const ModelCheck &) = delete;

    const QStringList &findings() const { return m_findings; }

private:
    static void collect(QtMsgType type, const QMessageLogContext &context, const QString &text) {
        if (s_findings && type != QtDebugMsg && context.category && qstrcmp(context.category, "qt.modeltest") == 0)
            s_findings->append(text);
    }
    static inline QStringList *s_findings = nullptr;
    QStringList m_findings;
    QtMessageHandler m_previous = nullptr;
    std::unique_ptr<QAbstractItemModelTester> m_tester;
};
