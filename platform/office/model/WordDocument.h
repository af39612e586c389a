#pragma once
// A document of the Word host: what every document offers (Document.h),
// "PrintOut", which prints to Word's active printer, and "ComputeStatistics"
// for its number of pages (statistic 2, Word's wdStatisticPages).
#include "platform/office/model/Document.h"

namespace office {

class WordApplication;

class WordDocument : public Document {
public:
    // The document belongs to `word`, which outlives it.
    WordDocument(State state, const WordApplication& word);

protected:
    ~WordDocument() override = default;

private:
    // Named or positional arguments as Word takes them: Background (the job
    // is always spooled before the call returns), Range (0 or none: all
    // pages; 3: From to To; 4: the list in Pages), Pages, From, To.
    void printOut(const com::Arguments& args) const;

    const WordApplication& word_;
};

}  // namespace office
