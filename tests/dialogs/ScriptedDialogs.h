#pragma once
// Answers the common dialogs from a script and keeps every request it was given;
// a dialog nobody scripted fails the test.
#include "dialogs/CommonDialogs.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace dialogtest {

class ScriptedDialogs : public dialogs::CommonDialogs {
public:
    std::deque<std::optional<QString>> files, folders;
    std::deque<std::optional<QColor>> colors;
    std::deque<std::optional<dialogs::PrinterSetup>> printers;

    std::vector<dialogs::FileRequest> openRequests, saveRequests;
    std::vector<dialogs::FolderRequest> folderRequests;
    std::vector<dialogs::ColorRequest> colorRequests;
    std::vector<dialogs::PrinterRequest> printerRequests;

    std::optional<QString> openFile(const dialogs::FileRequest& r) override
    {
        openRequests.push_back(r);
        return next(files, "open");
    }
    std::optional<QString> saveFile(const dialogs::FileRequest& r) override
    {
        saveRequests.push_back(r);
        return next(files, "save");
    }
    std::optional<QString> folder(const dialogs::FolderRequest& r) override
    {
        folderRequests.push_back(r);
        return next(folders, "folder");
    }
    std::optional<QColor> color(const dialogs::ColorRequest& r) override
    {
        colorRequests.push_back(r);
        return next(colors, "colour");
    }
    std::optional<dialogs::PrinterSetup> printer(const dialogs::PrinterRequest& r) override
    {
        printerRequests.push_back(r);
        return next(printers, "printer");
    }

private:
    template <class T>
    static std::optional<T> next(std::deque<std::optional<T>>& q, const char* what)
    {
        if (q.empty()) {
            ADD_FAILURE() << "unscripted " << what << " dialog";
            return std::nullopt;
        }
        auto a = q.front();
        q.pop_front();
        return a;
    }
};

}  // namespace dialogtest
