"""The exception family of the library: one class per C++ exception class."""


class LtException(Exception):
    """A fault of reading, writing or using an object tree (CLtException).

    str(e) is this level's message; e.line and e.column locate the element
    being read (0 when unknown); e.inner is the exception this one wraps.
    """

    def __init__(self, message="", line=0, column=0, inner=None, context="", hint=""):
        super().__init__(message)
        self.message = message
        self.line = line
        self.column = column
        self.inner = inner
        self.context = context
        self.hint = hint

    def __str__(self):
        return self.message

    def __reduce__(self):
        return (type(self), (self.message, self.line, self.column, self.inner, self.context, self.hint))

    def chain(self, source=""):
        """The whole chain, outermost first, one line per level, as the C++ FormatChain prints it."""
        from . import _vantrel
        return _vantrel._format_chain(self, source)

    def innermost(self):
        """The innermost exception of the chain."""
        level = self
        while level.inner is not None:
            level = level.inner
        return level


class LtValidationException(LtException):
    """A fault of reading and writing documents (CLtValidationException)."""


class LtInvalidStateException(LtException):
    """Use of an object in a state that does not allow the call (CLtInvalidStateException)."""


class LtInvalidValueException(LtValidationException):
    """A value that cannot be converted (CLtInvalidValueException)."""
