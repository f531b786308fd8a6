#pragma once
// A ShellPrompts that answers from queues filled by the test and records what it was asked,
// so that the main window's dialogs and messages run without a modal loop.

#include "app/qt/window/ShellPrompts.h"

#include <deque>
#include <functional>
#include <vector>

namespace pict::qt::test {

class ScriptedPrompts : public ShellPrompts {
public:
    // Answers, used front first; an empty queue answers Cancel / nothing.
    std::deque<SaveChangesAnswer> saveChanges;
    std::deque<std::optional<SaveAsAnswer>> saveAs;
    std::deque<QStringList> openFiles;
    std::deque<std::optional<NewImageSpec>> newImages;
    std::deque<std::optional<QString>> duplicateNames;
    std::deque<std::optional<ApplicationOptions>> options;
    std::deque<bool> largePictures; // an empty queue answers No
    std::deque<FlatSaveAnswer> flatSaves;
    std::deque<bool> recoverAnswers; // empty: Discard
    // The options dialogs: a function that makes the user's choices (none: OK unchanged),
    // and whether OK was pressed.
    std::deque<std::function<bool(JpegOptionsModel&)>> jpegOptions;
    std::deque<std::optional<PngCompression>> pngOptions;
    std::deque<std::optional<WebpSaveSettings>> webpOptions;
    std::deque<std::optional<TiffSaveSettings>> tiffOptions;

    // What was asked.
    QStringList askedToSave;           // document names in the close prompts
    std::vector<SaveAsRequest> saveAsRequests;
    QStringList openFolders;           // where each open dialog started
    QStringList flatSaveTexts;
    QStringList recoverTexts;
    int jpegOptionsAsked = 0;
    int pngOptionsAsked = 0;
    int webpOptionsAsked = 0;
    int tiffOptionsAsked = 0;
    bool tiffTransparencyTold = false; // what the last TIFF Options was told of the picture
    QStringList errors;
    QStringList informations;
    QStringList largePictureQuestions;

    SaveChangesAnswer askSaveChanges(QWidget*, const QString& documentName) override {
        askedToSave.append(documentName);
        return take(saveChanges, SaveChangesAnswer::Cancel);
    }
    QStringList askOpenFiles(QWidget*, const QString& folder) override {
        openFolders.append(folder);
        return take(openFiles, QStringList());
    }
    std::optional<SaveAsAnswer> askSaveAs(QWidget*, const SaveAsRequest& request) override {
        saveAsRequests.push_back(request);
        return take(saveAs, std::optional<SaveAsAnswer>());
    }
    bool confirmLargePicture(QWidget*, const QString& question) override {
        largePictureQuestions.append(question);
        return take(largePictures, false);
    }
    FlatSaveAnswer askFlatSave(QWidget*, const QString& text) override {
        flatSaveTexts.append(text);
        return take(flatSaves, FlatSaveAnswer::Cancel);
    }
    bool askRecover(QWidget*, const QString& text) override {
        recoverTexts.append(text);
        return take(recoverAnswers, false);
    }
    bool askJpegOptions(QWidget*, JpegOptionsModel& model, const CompositeCache&) override {
        ++jpegOptionsAsked;
        const auto choose = take(jpegOptions, std::function<bool(JpegOptionsModel&)>());
        return !choose || choose(model);
    }
    std::optional<PngCompression> askPngOptions(QWidget*, PngCompression current) override {
        ++pngOptionsAsked;
        return pngOptions.empty() ? std::optional<PngCompression>(current) : take(pngOptions, std::optional<PngCompression>());
    }
    std::optional<WebpSaveSettings> askWebpOptions(QWidget*, const WebpSaveSettings& current) override {
        ++webpOptionsAsked;
        return webpOptions.empty() ? std::optional<WebpSaveSettings>(current)
                                   : take(webpOptions, std::optional<WebpSaveSettings>());
    }
    std::optional<TiffSaveSettings> askTiffOptions(QWidget*, const TiffSaveSettings& current,
                                                   bool hasTransparency) override {
        ++tiffOptionsAsked;
        tiffTransparencyTold = hasTransparency;
        return tiffOptions.empty() ? std::optional<TiffSaveSettings>(current)
                                   : take(tiffOptions, std::optional<TiffSaveSettings>());
    }
    void showError(QWidget*, const QString& text) override { errors.append(text); }
    void showInformation(QWidget*, const QString& text) override { informations.append(text); }
    std::optional<NewImageSpec> askNewImage(QWidget*, AppSettings&, Color, DocumentNameCounter& names,
                                            ImagePreset&) override {
        std::optional<NewImageSpec> spec = take(newImages, std::optional<NewImageSpec>());
        if (spec && spec->name.empty())
            spec->name = names.next();
        return spec;
    }
    std::optional<QString> askDuplicateName(QWidget*, const QString&) override {
        return take(duplicateNames, std::optional<QString>());
    }
    std::optional<ApplicationOptions> askOptions(QWidget*, const ApplicationOptions&) override {
        return take(options, std::optional<ApplicationOptions>());
    }

private:
    template <typename T>
    static T take(std::deque<T>& queue, const T& otherwise) {
        if (queue.empty())
            return otherwise;
        // The answer is copied straight into the result and dropped afterwards; a named
        // local optional<QString> in between sets off a false uninitialised-use warning.
        struct PopFront {
            std::deque<T>& queue;
            ~PopFront() { queue.pop_front(); }
        } pop{queue};
        return queue.front();
    }
};

} // namespace pict::qt::test
