// The window's elements in the page, built from the table the WebAssembly
// module hands over row by row, and the page's events handed back to it.
// What the window does with an event is decided in the module; here are
// only the browser's own ways of doing it.

var page = (() => {
    const Kind = { TextBox: 0, Button: 1, Frame: 2, Label: 3 };
    const Flag = { Output: 2, InFrame: 16 };
    const Key = { Character: 0, Backspace: 1, Other: 2 };
    const Outcome = { Own: 0, Taken: 1, Backspace: 2 };
    const elements = [];  // by row
    const rows = new Map();  // element to row
    let windowElement, client, frame, entryRow = -1;
    let ended = false;

    // Enter and Esc reach the window wherever the focus is, and a modifier
    // chord gives the window's meaning before the browser's.
    function onKeyDown(event) {
        // Chords with the system's own key (Cmd on a Mac) are the system's.
        if (ended || event.isComposing || event.keyCode === 229 || event.metaKey)
            return;
        const focused = rows.has(document.activeElement) ? rows.get(document.activeElement) : -1;
        const take = () => { event.preventDefault(); event.stopPropagation(); };
        if (event.key === 'Enter' && !event.altKey && !event.ctrlKey) {
            take();
            Module._radixor_enter(focused);
            return;
        }
        if (event.key === 'Escape') {
            take();
            Module._radixor_escape();
            return;
        }
        if (event.key === 'Tab' && !event.altKey && !event.ctrlKey) {
            take();
            tabFrom(focused, event.shiftKey ? -1 : 1);
            return;
        }
        let key = Key.Other, character = 0;
        if (event.key === 'Backspace')
            key = Key.Backspace;
        else if ([...event.key].length === 1) {
            key = Key.Character;
            character = event.key.codePointAt(0);
        }
        // Some layouts write a sign with Alt (macOS); the key's own letter
        // or digit names the button.
        if (event.altKey && !event.ctrlKey && /^(Key[A-Z]|Digit[0-9])$/.test(event.code)) {
            key = Key.Character;
            character = event.code.toLowerCase().codePointAt(event.code.length - 1);
        }
        switch (Module._radixor_key(focused, key, character, event.ctrlKey, event.altKey)) {
        case Outcome.Taken:
            take();
            break;
        case Outcome.Backspace:
            take();
            deleteBack(elements[entryRow]);
            break;
        }
    }

    // The ring runs through every control that takes the focus by its tab
    // index, and closes: past the last comes the first.
    function tabFrom(focused, step) {
        const ring = elements.filter((e) => e.matches('input, button'))
            .sort((a, b) => a.dataset.tab - b.dataset.tab);
        let at = ring.indexOf(elements[focused]);
        if (at < 0)
            at = step > 0 ? -1 : 0;
        ring[(at + step + ring.length) % ring.length].focus();
    }

    function deleteBack(box) {
        let start = box.selectionStart, end = box.selectionEnd;
        if (start === end && start > 0)
            --start;
        if (start !== end)
            box.setRangeText('', start, end, 'end');
    }

    // Every insertion into the entry is checked before it changes the
    // text: the one rule for typing, paste, drop and input methods.
    function onBeforeInput(event) {
        const box = event.target;
        if (!event.inputType.startsWith('insert') || event.inputType === 'insertCompositionText')
            return;
        let piece = event.data;
        if (piece === null && event.dataTransfer)
            piece = event.dataTransfer.getData('text/plain');
        if (piece === null)
            return;
        const before = box.value;
        const start = box.selectionStart, end = box.selectionEnd;
        const after = before.slice(0, start) + piece + before.slice(end);
        event.preventDefault();
        settle(box, before, start, after, start + piece.length);
    }

    // The page cannot stop an input method's composition; what it leaves
    // is checked as it is committed, against the text before it began.
    let composing = null;
    function onCompositionStart(event) {
        const box = event.target;
        composing = { before: box.value, start: box.selectionStart, end: box.selectionEnd };
    }
    function onCompositionEnd(event) {
        const box = event.target;
        const from = composing;
        composing = null;
        if (!from)
            return;
        const piece = event.data || '';
        const after = from.before.slice(0, from.start) + piece + from.before.slice(from.end);
        settle(box, from.before, from.start, after, from.start + piece.length, true);
    }

    // The entry takes what the rule leaves of the change, or beeps and
    // keeps its text; an insertion is refused before it lands.
    function settle(box, before, start, after, caret, restore) {
        write(Module._radixor_before(before.length), before);
        write(Module._radixor_after(after.length), after);
        if (!Module._radixor_check(start, caret)) {
            if (restore) {
                box.value = before;
                box.setSelectionRange(start, start);
            }
            page.beep();
            return;
        }
        box.value = utf16(Module._radixor_checkedText(), Module._radixor_checkedLength());
        const at = Module._radixor_checkedCaret();
        box.setSelectionRange(at, at);
    }

    function write(pointer, text) {
        const into = HEAPU16.subarray(pointer >> 1, (pointer >> 1) + text.length);
        for (let i = 0; i < text.length; ++i)
            into[i] = text.charCodeAt(i);
    }

    const decoder = new TextDecoder('utf-16le');
    function utf16(pointer, length) {
        return decoder.decode(HEAPU8.subarray(pointer, pointer + 2 * length));
    }

    // Switching to another window and back keeps the caret: the focus the
    // element gets back with its window has not arrived anew. Nor has a
    // box pressed with the mouse yet: the press puts the caret where it
    // lands, which a selection made at the focus would stop.
    let heldBeforeBlur = null, pressed = null;
    function onFocus(event) {
        const arrived = heldBeforeBlur !== event.target && pressed !== event.target;
        heldBeforeBlur = null;
        if (arrived)
            Module._radixor_gotFocus(rows.get(event.target));
    }

    function onMouseDown(event) {
        pressed = document.activeElement !== event.currentTarget ? event.currentTarget : null;
    }
    // A click into the entry leaves the caret where it landed; a click into
    // a result box has the focus arrive then, unless it dragged a selection.
    function onMouseUp(event) {
        const box = pressed;
        pressed = null;
        if (box && box.readOnly && box === event.target && box.selectionStart === box.selectionEnd)
            Module._radixor_gotFocus(rows.get(box));
    }

    // A selection ending at the text's start keeps a long text shown from
    // its first character.
    function selectWhole(box) {
        box.setSelectionRange(0, box.value.length, 'backward');
    }

    function captionOf(caption) {
        const span = document.createElement('span');
        const amp = caption.indexOf('&');
        if (amp < 0 || amp + 1 >= caption.length) {
            span.textContent = caption;
            return [span, ''];
        }
        const letter = document.createElement('u');
        letter.textContent = caption[amp + 1];
        span.append(caption.slice(0, amp), letter, caption.slice(amp + 2));
        return [span, caption[amp + 1].toUpperCase()];
    }

    // A browser that will not load the module says why in the page, where
    // the window would have been. This emscripten leaves a failed fetch of
    // the module unhandled rather than abort, and a page opened from disk
    // hears nothing of it: there, the page asks for the module itself.
    if (location.protocol === 'file:')
        fetch('radixor.wasm', { method: 'HEAD' }).catch(() => Module.onAbort());
    Module.onAbort = () => {
        const line = document.createElement('p');
        line.id = 'ended';
        line.textContent = location.protocol === 'file:'
            ? 'Radixor cannot start from a file on disk in this browser, which loads no WebAssembly there. '
              + 'Open it from a web address instead (scripts/web.sh serves it on this computer).'
            : 'Radixor could not start: this browser did not load its WebAssembly module.';
        document.getElementById('frmRadixor').replaceWith(line);
    };

    let audio = null;

    return {
        ascii(pointer, length) {
            return String.fromCharCode.apply(null, HEAPU8.subarray(pointer, pointer + length));
        },
        utf16,

        open(caption, width, height, line) {
            document.title = caption;
            windowElement = document.getElementById('frmRadixor');
            windowElement.style.width = width + 'px';
            const bar = document.getElementById('caption');
            bar.textContent = caption;
            client = document.getElementById('client');
            client.style.width = width + 'px';
            client.style.height = height + 'px';
            // A sans face's line is about 1.17 times its size: 11 pixels
            // for the 13-pixel line the layout is drawn for.
            client.style.fontSize = Math.floor(line / 1.17) + 'px';
            client.style.lineHeight = line + 'px';
            window.addEventListener('keydown', onKeyDown, true);
            window.addEventListener('mouseup', onMouseUp, true);
            window.addEventListener('blur', () => { heldBeforeBlur = document.activeElement; });
            document.addEventListener('visibilitychange', () => {
                if (document.hidden)
                    heldBeforeBlur = document.activeElement;
            });
        },

        addControl(row, kind, name, index, caption, left, top, width, height, tabIndex, flags, spoken,
                   labelledBy) {
            let element;
            switch (kind) {
            case Kind.TextBox:
                element = document.createElement('input');
                element.type = 'text';
                element.value = caption;
                element.autocomplete = 'off';
                element.spellcheck = false;
                element.setAttribute('aria-label', spoken);
                if (flags & Flag.Output) {
                    element.readOnly = true;
                    element.className = 'output';
                } else {
                    element.inputMode = 'numeric';
                    entryRow = row;
                    element.addEventListener('beforeinput', onBeforeInput);
                    element.addEventListener('compositionstart', onCompositionStart);
                    element.addEventListener('compositionend', onCompositionEnd);
                }
                break;
            case Kind.Button: {
                element = document.createElement('button');
                element.type = 'button';
                const [text, letter] = captionOf(caption);
                element.append(text);
                element.setAttribute('aria-label', spoken);
                if (letter)
                    element.setAttribute('aria-keyshortcuts', 'Alt+' + letter);
                element.addEventListener('click', () => Module._radixor_click(row));
                break;
            }
            case Kind.Frame:
                element = frame = document.createElement('div');
                element.setAttribute('role', 'group');
                element.setAttribute('aria-label', spoken);
                element.className = 'frame';
                element.append(captionOf(caption)[0]);
                element.firstChild.className = 'legend';
                break;
            case Kind.Label:
                element = document.createElement('label');
                element.textContent = caption;
                break;
            }
            element.id = index >= 0 ? name + index : name;
            Object.assign(element.style, {
                left: left + 'px', top: top + 'px', width: width + 'px', height: height + 'px',
                zIndex: String(100 - row),
            });
            if (kind === Kind.Label)
                element.style.width = element.style.height = '';
            if (kind === Kind.TextBox)
                element.addEventListener('mousedown', onMouseDown);
            if (kind === Kind.TextBox || kind === Kind.Button)
                element.addEventListener('focus', onFocus);
            element.dataset.tab = tabIndex;
            elements[row] = element;
            rows.set(element, row);
            element.dataset.labelledBy = labelledBy;
            // In the document in tab order, which is also the order a
            // screen reader reads them in.
            const container = (flags & Flag.InFrame) ? frame : client;
            const next = [...container.children].find((e) => Number(e.dataset.tab) > tabIndex);
            container.insertBefore(element, next || null);
        },

        // Every row is in: each result box gets its label, and the window
        // shows.
        ready() {
            for (const element of elements)
                if (element.dataset.labelledBy)
                    document.getElementById(element.dataset.labelledBy).htmlFor = element.id;
            performance.mark('radixor-ready');
            if ('serviceWorker' in navigator && location.protocol !== 'file:')
                navigator.serviceWorker.register('sw.js').catch(() => {});
        },

        // The widest result must show whole in its box, two pixels in from
        // either side with a pixel for the caret: the digits close up until
        // it does.
        fitResults(widest) {
            const measure = document.createElement('canvas').getContext('2d');
            for (const box of elements.filter((e) => e.readOnly)) {
                measure.font = getComputedStyle(box).font;
                const room = box.clientWidth - 5;
                const spacing = Math.min(0, ...widest.map((t) => (room - measure.measureText(t).width) / t.length));
                box.style.letterSpacing = Math.floor(spacing * 100) / 100 + 'px';
            }
        },

        box(row) { return elements[row]; },

        setText(row, text) {
            const box = elements[row];
            box.value = text;
            box.setSelectionRange(0, 0);
            box.scrollLeft = 0;
        },
        setSelStart(row, start) { elements[row].setSelectionRange(start, start); },
        setSelLength(row, length) {
            const box = elements[row];
            const start = box.selectionStart;
            if (start === 0 && length === box.value.length)
                selectWhole(box);
            else
                box.setSelectionRange(start, start + length);
        },
        setFocus(row) { elements[row].focus(); },

        // A page cannot end the browser: the window goes, and one line says
        // so. An installed app's window is the program's own, and closes.
        unload() {
            ended = true;
            const line = document.createElement('p');
            line.id = 'ended';
            line.textContent = 'Radixor has ended. Reload the page to start it again.';
            windowElement.replaceWith(line);
            if (window.matchMedia('(display-mode: standalone)').matches)
                window.close();
        },

        // A short tone, the page's own beep: a refused key is heard at once.
        beep() {
            try {
                audio = audio || new AudioContext();
                if (audio.state === 'suspended')
                    audio.resume();
                const tone = audio.createOscillator(), gain = audio.createGain();
                tone.frequency.value = 880;
                gain.gain.value = 0.1;
                tone.connect(gain).connect(audio.destination);
                tone.start();
                tone.stop(audio.currentTime + 0.08);
            } catch (e) {
                // A browser with no sound still refuses the key.
            }
        },
    };
})();
