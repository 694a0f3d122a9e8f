#include "ui/platform/platform.h"

namespace garabix {

namespace {

class SilentPlatform : public Platform {
public:
    explicit SilentPlatform(Platform &inner) : inner(inner) {}
    void playSound(const QString &, bool) override {}
    void setClipboardImage(const QImage &image) override { inner.setClipboardImage(image); }
    void printImage(const QImage &image, std::function<void(Printed)> done) override {
        inner.printImage(image, std::move(done));
    }
    bool openFolder(const QString &path) override { return inner.openFolder(path); }
    bool askYesNo(QWidget *parent, const QString &question, const QString &yes,
                  const QString &no) override {
        return inner.askYesNo(parent, question, yes, no);
    }
    void quit() override { inner.quit(); }
    Outcome moveToTrash(const QString &path) override { return inner.moveToTrash(path); }
    void notify(QWidget *parent, const QString &text, Notice kind) override {
        inner.notify(parent, text, kind);
    }
    void useLanguage(const QString &code) override { inner.useLanguage(code); }

private:
    Platform &inner;
};

} // namespace

std::unique_ptr<Platform> withoutSound(Platform &inner) {
    return std::make_unique<SilentPlatform>(inner);
}

} // namespace garabix
